#include "net/address_text.h"

#include <gtest/gtest.h>

namespace velloran {
namespace {

Bytes bytesOf(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

TEST(CutAddress, PagesOfTheEchoService) {
    using namespace std::string_view_literals;
    struct Case {
        const char* what;
        std::string_view body;
        const char* address;
    };
    const Case cases[] = {
        {"address found", "<script>var ipaddress = '192.0.2.1';</script>", "192.0.2.1"},
        {"marker in capitals", "VAR IPADDRESS = '198.51.100.7'", "198.51.100.7"},
        {"first of several markers", "var ipaddress = '192.0.2.1' var ipaddress = '192.0.2.2'",
         "192.0.2.1"},
        {"NUL before the marker", "<html>\0var ipaddress = '192.0.2.1'"sv, ""},
        {"NUL after the address", "var ipaddress = '192.0.2.1'\0junk"sv, "192.0.2.1"},
        {"marker then apostrophe", "var ipaddress = ''192.0.2.1'", ""},
        {"marker ends the page", "<p>var ipaddress = '", ""},
        {"no marker in a page", "<html><body>Service Unavailable</body></html>", ""},
        {"empty page", "", ""},
        {"lead byte right before the marker", "\xC4var ipaddress = '192.0.2.1'", ""},
        {"double-byte character before the marker", "\xC4\xE3var ipaddress = '192.0.2.1'",
         "192.0.2.1"},
        {"lead byte hides the first marker only",
         "\xC4var ipaddress = '192.0.2.1' var ipaddress = '203.0.113.9'", "203.0.113.9"},
        {"15-character address", "var ipaddress = '123.123.123.123';", "123.123.123.123"},
        {"15 bytes then no apostrophe", "var ipaddress = '123.123.123.1234'", ""},
        {"no closing apostrophe", "var ipaddress = '192.0.2.1", ""},
        {"address the page breaks off in", "var ipaddress = '192.0.", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cutAddress(bytesToText(bytesOf(c.body))), c.address) << c.what;
    }
}

TEST(BytesToText, StopsAtTheFirstNul) {
    using namespace std::string_view_literals;
    EXPECT_EQ(bytesToText({}), "");
    EXPECT_EQ(bytesToText(bytesOf("\0abc"sv)), "");
    EXPECT_EQ(bytesToText(bytesOf("ab\0c\0"sv)), "ab");
    EXPECT_EQ(bytesToText(bytesOf("\xB7\xFE\xCE\xF1")), "\xB7\xFE\xCE\xF1");
}

TEST(FindText, Boundaries) {
    struct Case {
        const char* text;
        const char* needle;
        int position;
    };
    const Case cases[] = {
        {"abc", "a", 1},
        {"abc", "c", 3},
        {"abc", "abc", 1},
        {"abc", "abcd", -1},
        {"", "a", -1},
        {"abab", "ab", 1},
        {"xAbC", "abc", 2},
        {"x[y", "{", -1},  // '[' and '{' differ by the case bit but are no letters
        {"a@b", "`", -1},
        // The trail byte of a double-byte character is never a start.
        {"\304a", "a", -1},  // octal escapes: a hex one would swallow the letter
        {"\304aa", "a", 3},
        {"\xC4\xE3'", "'", 3},
        {"x\304a", "a", -1},
        // A lone lead byte at the end steps past the end.
        {"ab\xC4", "'", -1},
        {"\xC4\xE3", "\xC4\xE3", 1},
        {"a\xC4\xE3", "\xE3", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findText(c.text, c.needle), c.position) << c.text << " / " << c.needle;
    }
}

TEST(MidAndLeftText, Boundaries) {
    struct Case {
        int start;
        int count;
        const char* result;
    };
    const Case mid[] = {
        {1, 3, "abc"},
        {1, 10, "abcde"},
        {5, 1, "e"},
        {5, 9, "e"},
        {6, 1, ""},
        {0, 3, ""},
        {-1, 3, ""},
        {2, 0, ""},
        {2, -1, ""},
        {2, 2, "bc"},
        {-2147483647 - 1, 2, ""},
        {2147483647, 2, ""},
    };
    for (const Case& c : mid) {
        EXPECT_EQ(midText("abcde", c.start, c.count), c.result) << c.start << "," << c.count;
    }
    EXPECT_EQ(midText("", 1, 1), "");

    const Case left[] = {{0, 0, ""}, {0, -2, ""}, {0, 1, "a"}, {0, 5, "abcde"}, {0, 6, "abcde"}};
    for (const Case& c : left) {
        EXPECT_EQ(leftText("abcde", c.count), c.result) << c.count;
    }
    // Counting is in bytes: a double-byte character may be split.
    EXPECT_EQ(leftText("\xC4\xE3\xBA\xC3", 3), "\xC4\xE3\xBA");
    EXPECT_EQ(midText("\xC4\xE3\xBA\xC3", 2, 2), "\xE3\xBA");
}

}  // namespace
}  // namespace velloran
