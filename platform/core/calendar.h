// Day arithmetic in the user's calendar and time zone (the Gregorian calendar in local time).
#pragma once

#include <optional>

#include "platform/core/date.h"

namespace core {

class Calendar {
public:
    // The user's calendar, read at each call (the local time zone may change while the program runs).
    static Calendar current();

    // The same wall-clock time `days` calendar days later (earlier when negative); nullopt when out of range.
    std::optional<Date> addingDays(Date date, int days) const;
    // Midnight local time on the day of `date` (the first existing instant of that day).
    Date startOfDay(Date date) const;
    // Calendar days from the day of `from` to the day of `to`; times of day are ignored.
    int daysBetween(Date from, Date to) const;
};

}  // namespace core
