// Day arithmetic on dates through the user's current calendar (read at each call), and the date text
// "yyyy:MM:dd HH:mm:ss" in local time.
#pragma once

#include <optional>
#include <string>

#include "platform/core/calendar.h"
#include "platform/core/date.h"

namespace kestrane {

namespace Date {
core::Date now();
core::Date yesterday();
core::Date tomorrow();
// Calendar days from a's day to b's day.
int daysBetween(core::Date a, core::Date b);
}  // namespace Date

std::optional<core::Date> adding(core::Date date, int days);
// Calendar days from the date's day to today: positive for past dates.
int daysFromNow(core::Date date);
// "yyyy:MM:dd HH:mm:ss" in the current time zone (local time, despite the name).
std::string UTCFormatted(core::Date date);

// The date moved by whole calendar days, keeping the wall-clock time; nullopt when it cannot be computed.
std::optional<core::Date> add(const core::Calendar& calendar, int days, core::Date date);
// Calendar days from a's day to b's day; times of day are ignored.
int daysBetween(const core::Calendar& calendar, core::Date a, core::Date b);

}  // namespace kestrane
