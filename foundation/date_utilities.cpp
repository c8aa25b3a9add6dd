#include "foundation/date_utilities.h"

#include "platform/core/date_format.h"

namespace kestrane {

namespace Date {

core::Date now() { return core::Date::now(); }

core::Date yesterday() { return add(core::Calendar::current(), -1, now()).value_or(now()); }

core::Date tomorrow() { return add(core::Calendar::current(), 1, now()).value_or(now()); }

int daysBetween(core::Date a, core::Date b) { return kestrane::daysBetween(core::Calendar::current(), a, b); }

}  // namespace Date

std::optional<core::Date> adding(core::Date date, int days) { return add(core::Calendar::current(), days, date); }

int daysFromNow(core::Date date) { return daysBetween(core::Calendar::current(), date, Date::now()); }

std::string UTCFormatted(core::Date date) { return core::formatDate(date, "yyyy:MM:dd HH:mm:ss"); }

core::Date addingCMTime(core::Date date, const media::Time& time)
{
    return time.isNumeric() ? date.addingTimeInterval(time.seconds()) : date;
}

core::Date removingCMTime(core::Date date, const media::Time& time)
{
    return time.isNumeric() ? date.addingTimeInterval(-time.seconds()) : date;
}

std::optional<core::Date> add(const core::Calendar& calendar, int days, core::Date date)
{
    return calendar.addingDays(date, days);
}

int daysBetween(const core::Calendar& calendar, core::Date a, core::Date b) { return calendar.daysBetween(a, b); }

}  // namespace kestrane
