#include "actions/clock_text.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace velloran {
namespace {

// A 32-bit calendar time would stop the clock in 2038.
static_assert(sizeof(std::time_t) >= 8);

constexpr long long kSecondsPerDay = 86400;
// Day 0 of DateTime (1899-12-30) counted from 1970-01-01.
constexpr long long kEpochOffsetDays = -25569;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

}  // namespace

DateTime toDateTime(const CalendarFields& f) {
    const long long days =
        daysFromCivil(f.year, static_cast<unsigned>(f.month), static_cast<unsigned>(f.day)) -
        kEpochOffsetDays;
    const long long seconds = f.hour * 3600LL + f.minute * 60LL + f.second;
    return static_cast<double>(days) + static_cast<double>(seconds) / kSecondsPerDay;
}

CalendarFields toCalendarFields(DateTime value) {
    long long total = std::llround(value * kSecondsPerDay);
    long long days = total / kSecondsPerDay;
    long long seconds = total % kSecondsPerDay;
    if (seconds < 0) {
        seconds += kSecondsPerDay;
        --days;
    }
    CalendarFields f{};
    civilFromDays(days + kEpochOffsetDays, f.year, f.month, f.day);
    f.hour = static_cast<int>(seconds / 3600);
    f.minute = static_cast<int>(seconds / 60 % 60);
    f.second = static_cast<int>(seconds % 60);
    return f;
}

DateTime currentDateTime() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) {
        return 0;
    }
    return toDateTime({local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
                       local->tm_min, local->tm_sec});
}

Text formatDateTime(DateTime value) {
    const CalendarFields f = toCalendarFields(value);
    char buffer[96];
    int n = std::snprintf(buffer, sizeof buffer, "%d年%d月%d日", f.year, f.month, f.day);
    const std::size_t room = sizeof buffer - static_cast<std::size_t>(n);
    if (f.second != 0) {
        std::snprintf(buffer + n, room, "%d时%d分%d秒", f.hour, f.minute, f.second);
    } else if (f.minute != 0) {
        std::snprintf(buffer + n, room, "%d时%d分", f.hour, f.minute);
    } else if (f.hour != 0) {
        std::snprintf(buffer + n, room, "%d时", f.hour);
    }
    return buffer;
}

}  // namespace velloran
