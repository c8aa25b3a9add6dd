// Day arithmetic on dates through the user's current calendar (read at each call), the date text
// "yyyy:MM:dd HH:mm:ss" in local time, and dates moved by media times. Safe from any thread.
#pragma once

#include <optional>
#include <string>

#include "platform/core/calendar.h"
#include "platform/core/date.h"
#include "platform/media/time.h"

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
// The date moved later (earlier) by the time's length in seconds; a time that is not numeric (invalid,
// indefinite, infinite) leaves the date as it is.
core::Date addingCMTime(core::Date date, const media::Time& time);
core::Date removingCMTime(core::Date date, const media::Time& time);

// The date moved by whole calendar days, keeping the wall-clock time; nullopt when it cannot be computed.
std::optional<core::Date> add(const core::Calendar& calendar, int days, core::Date date);
// Calendar days from a's day to b's day; times of day are ignored.
int daysBetween(const core::Calendar& calendar, core::Date a, core::Date b);

}  // namespace kestrane
