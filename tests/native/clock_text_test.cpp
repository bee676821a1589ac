#include "actions/clock_text.h"

#include <gtest/gtest.h>

namespace velloran {
namespace {

struct ClockCase {
    CalendarFields time;
    const char* text;
};

TEST(FormatDateTime, WritesOnlyTheFieldsThatMatter) {
    const ClockCase cases[] = {
        {{2014, 1, 21, 22, 43, 37}, "2014年1月21日22时43分37秒"},
        {{2014, 1, 21, 22, 43, 0}, "2014年1月21日22时43分"},
        {{2014, 1, 21, 22, 0, 0}, "2014年1月21日22时"},
        {{2014, 1, 21, 0, 0, 0}, "2014年1月21日"},
        {{2014, 1, 21, 0, 5, 0}, "2014年1月21日0时5分"},
        {{2014, 1, 21, 0, 0, 7}, "2014年1月21日0时0分7秒"},
        {{2014, 12, 5, 9, 5, 3}, "2014年12月5日9时5分3秒"},
        {{2014, 1, 5, 23, 59, 59}, "2014年1月5日23时59分59秒"},
        {{2040, 2, 29, 12, 0, 1}, "2040年2月29日12时0分1秒"},
        {{1899, 12, 30, 0, 0, 0}, "1899年12月30日"},
    };
    for (const ClockCase& c : cases) {
        EXPECT_EQ(formatDateTime(toDateTime(c.time)), c.text) << c.text;
    }
}

TEST(FormatDateTime, TextIsGbk) {
    // 年 in GBK is C4 EA; the literal must not reach the window as UTF-8.
    const Text text = formatDateTime(toDateTime({2014, 1, 21, 0, 0, 0}));
    EXPECT_EQ(text,
              "2014\xC4\xEA"
              "1\xD4\xC2"
              "21\xC8\xD5");
}

TEST(CurrentDateTime, IsWholeSecondsOfToday) {
    const DateTime now = currentDateTime();
    const CalendarFields f = toCalendarFields(now);
    EXPECT_GE(f.year, 2024);
    EXPECT_DOUBLE_EQ(toDateTime(f), now);
}

}  // namespace
}  // namespace velloran
