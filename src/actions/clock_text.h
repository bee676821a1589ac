#pragma once

#include "text.h"

namespace velloran {

// A local date and time as days since 1899-12-30 00:00 (the fraction is the time of day).
using DateTime = double;

struct CalendarFields {
    int year, month, day;
    int hour, minute, second;
};

DateTime toDateTime(const CalendarFields& fields);
// The calendar fields of a DateTime, to the nearest second.
CalendarFields toCalendarFields(DateTime value);

// The current local date and time, whole seconds (64-bit calendar time: fine after 2038).
DateTime currentDateTime();

// "2014年1月21日22时43分37秒"; trailing zero fields are left out, midnight is the date alone.
Text formatDateTime(DateTime value);

}  // namespace velloran
