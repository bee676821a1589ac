#include "platform/http_read.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "http_stub/stub_control.h"
#include "net/address_text.h"

namespace velloran {
namespace {

constexpr char kTarget[] = "/templates/ipv6man/?id='ipv6'/></iframe>";
constexpr size_t kBodyLimit = 1024 * 1024;
// The lookup gives up within ten seconds; a little slack for a busy machine.
constexpr ULONGLONG kLookupLimitMs = 11000;

Text pageOn(const std::string& host) {
    return "http://" + host + kTarget;
}

// The stub's filler bytes (tests/http_stub/stub_server.py, pattern()).
bool isFiller(const Bytes& body, size_t from, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (body[from + i] != '0' + (from + i) % 251 % 75) {
            return false;
        }
    }
    return true;
}

struct TimedRead {
    Bytes body;
    ULONGLONG milliseconds;
};

TimedRead timedRead(const Text& address) {
    const ULONGLONG started = GetTickCount64();
    Bytes body = readAddressPage(address);
    return {std::move(body), GetTickCount64() - started};
}

TEST(ReadAddressPage, SendsTheRequestAsItIs) {
    ASSERT_FALSE(readAddressPage(pageOn("ok.stub.test")).empty());
    const std::string request = test::lastRequestTo("ok.stub.test");
    EXPECT_EQ(request.substr(0, request.find("\r\n")),
              "GET /templates/ipv6man/?id='ipv6'/></iframe> HTTP/1.0");
    EXPECT_NE(
        request.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"),
        std::string::npos)
        << request;
    EXPECT_NE(request.find("\r\nAccept: */*\r\n"), std::string::npos) << request;
    EXPECT_EQ(request.find("Cookie"), std::string::npos) << request;
}

TEST(ReadAddressPage, ReadsAgainAfterTheSessionWasClosed) {
    ASSERT_FALSE(readAddressPage(pageOn("ok.stub.test")).empty());
    closeInternetSession();
    closeInternetSession();
    EXPECT_EQ(cutAddress(bytesToText(readAddressPage(pageOn("ok.stub.test")))), "192.0.2.1");
}

TEST(ReadAddressPage, PagesOfWorkingAndFailingHosts) {
    struct Case {
        const char* host;
        const char* address;  // cut from the body
    };
    const Case cases[] = {
        {"ok.stub.test", "192.0.2.1"},
        {"nolength.stub.test", "192.0.2.2"},  // many default-sized pieces, joined in order
        {"notfound.stub.test", "192.0.2.4"},  // the status is not looked at
        {"redirect.stub.test", "192.0.2.1"},
        {"broken.stub.test", "192.0.2.5"},  // what arrived before the break
        {"ok.stub.test:81", ""},            // nothing listens there
        {"unknown.invalid", ""},            // a name that does not resolve
    };
    for (const Case& c : cases) {
        const TimedRead read = timedRead(pageOn(c.host));
        EXPECT_EQ(cutAddress(bytesToText(read.body)), c.address) << c.host;
        EXPECT_LT(read.milliseconds, kLookupLimitMs) << c.host;
    }
    EXPECT_EQ(test::lastRequestTo("ok.stub.test").rfind("GET /landing HTTP/1.0\r\n", 0), 0u);
}

TEST(ReadAddressPage, JoinsPiecesInOrder) {
    const Bytes body = readAddressPage(pageOn("nolength.stub.test"));
    const std::string before = "<html><head><script>";
    const std::string after = "var ipaddress = '192.0.2.2';</script></head></html>\n";
    ASSERT_EQ(body.size(), before.size() + 250000 + after.size());
    EXPECT_EQ(std::string(body.begin(), body.begin() + before.size()), before);
    // The filler counts from its own start.
    const Bytes filler(body.begin() + before.size(), body.end() - after.size());
    EXPECT_TRUE(isFiller(filler, 0, filler.size()));
    EXPECT_EQ(std::string(body.end() - after.size(), body.end()), after);
}

TEST(ReadAddressPage, KeepsAtMostOneMebibyte) {
    for (const char* host : {"big.stub.test", "endless.stub.test"}) {
        const TimedRead read = timedRead(pageOn(host));
        ASSERT_EQ(read.body.size(), kBodyLimit) << host;
        EXPECT_TRUE(isFiller(read.body, 0, kBodyLimit)) << host;
        EXPECT_LT(read.milliseconds, kLookupLimitMs) << host;
    }
}

TEST(ReadAddressPage, GivesUpOnASilentHost) {
    const TimedRead read = timedRead(pageOn("silent.stub.test"));
    EXPECT_TRUE(read.body.empty());
    EXPECT_LT(read.milliseconds, kLookupLimitMs);
    EXPECT_FALSE(test::lastRequestTo("silent.stub.test").empty());
}

TEST(ReadAddressPage, StopsAHostThatNeverFinishesInTime) {
    // A byte now and then never lets a single wait run out: only the overall limit ends it.
    const TimedRead read = timedRead(pageOn("trickle.stub.test"));
    EXPECT_EQ(cutAddress(bytesToText(read.body)), "192.0.2.6");
    EXPECT_LT(read.milliseconds, kLookupLimitMs);
}

TEST(ReadAddressPage, WaitsForAPageThatDripsInWithinTheLimit) {
    const TimedRead read = timedRead(pageOn("drip.stub.test"));
    EXPECT_EQ(cutAddress(bytesToText(read.body)), "192.0.2.9");
    EXPECT_GE(read.milliseconds, 4000u);
    EXPECT_LT(read.milliseconds, kLookupLimitMs);
}

TEST(ReadAddressPage, EndsInTimeOnHostsThatBreakTheProtocol) {
    // A garbled status line and megabytes of headers: whatever the client makes of them,
    // the read ends within the limit and keeps to the size cap.
    for (const char* host : {"garbage.stub.test", "headerflood.stub.test"}) {
        const TimedRead read = timedRead(pageOn(host));
        EXPECT_LE(read.body.size(), kBodyLimit) << host;
        EXPECT_LT(read.milliseconds, kLookupLimitMs) << host;
        EXPECT_FALSE(test::lastRequestTo(host).empty()) << host;
    }
}

}  // namespace
}  // namespace velloran
