#include "server/text_routines.h"

#include <gtest/gtest.h>

namespace velloran {
namespace {

TEST(CompareText, OrdersByUnsignedBytesWithAbsentAsEmpty) {
    struct Case {
        const char* first;
        const char* second;
        int order;
    };
    const Case cases[] = {
        {nullptr, nullptr, 0},
        {nullptr, "", 0},
        {"", nullptr, 0},
        {nullptr, "a", -1},
        {"a", nullptr, 1},
        {"", "a", -1},
        {"abc", "abc", 0},
        {"abc", "abd", -1},
        {"abd", "abc", 1},
        {"a", "z", -1},  // the sign only, not the distance
        {"z", "a", 1},
        {"ab", "abc", -1},
        {"abc", "ab", 1},
        {"A", "a", -1},               // no case folding
        {"\x7F", "\x80", -1},         // bytes are unsigned
        {"\xB7\xFE", "\xB7\x41", 1},  // nothing special about GBK lead bytes
        {"\xC6\xF7", "\xC6\xF7", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareText(c.first, c.second), c.order)
            << (c.first ? c.first : "(absent)") << " vs " << (c.second ? c.second : "(absent)");
    }
}

TEST(CompareText, TakesTextsAndStopsAtTheirNul) {
    EXPECT_EQ(CompareText(Text("abc"), "abc"), 0);
    EXPECT_EQ(CompareText(Text(), nullptr), 0);
    EXPECT_EQ(CompareText(Text("ab\0x", 4), "ab"), 0);
}

TEST(TextLength, CountsBytesBeforeTheNul) {
    EXPECT_EQ(TextLength(nullptr), 0u);
    EXPECT_EQ(TextLength(""), 0u);
    EXPECT_EQ(TextLength("1024"), 4u);
    EXPECT_EQ(TextLength("\xB7\xFE\xCE\xF1\xC6\xF7"), 6u);  // a GBK character is two bytes
    EXPECT_EQ(TextLength(Text("ab\0cd", 5)), 2u);
}

TEST(JoinTexts, JoinsPiecesInOrderWithAbsentAsEmpty) {
    const Text memory = "2G";
    EXPECT_EQ(JoinTexts({"D", ":\\x"}), "D:\\x");
    EXPECT_EQ(JoinTexts({"-Xmx", memory, "M -Xms", memory, "M"}), "-Xmx2GM -Xms2GM");
    EXPECT_EQ(JoinTexts({nullptr, ":\\x"}), ":\\x");
    EXPECT_EQ(JoinTexts({"a", nullptr, "", "b"}), "ab");
    EXPECT_EQ(JoinTexts({nullptr}), "");
    EXPECT_EQ(JoinTexts({Text(), Text()}), "");
    EXPECT_EQ(JoinTexts({"\xB7\xFE", "\xCE\xF1"}), "\xB7\xFE\xCE\xF1");
}

}  // namespace
}  // namespace velloran
