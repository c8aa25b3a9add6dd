#include "platform/core/calendar.h"

#include <QDateTime>
#include <QTimeZone>
#include <cmath>

namespace core {

namespace {

QDateTime localDateTime(Date date)
{
    const auto msecs = static_cast<qint64>(std::llround(date.timeIntervalSince1970() * 1000.0));
    return QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::systemTimeZone());
}

// Keeps the part of the date below the millisecond, which QDateTime drops.
Date fromLocal(const QDateTime& local, Date original, const QDateTime& originalLocal)
{
    const double shift = double(originalLocal.msecsTo(local)) / 1000.0;
    return original.addingTimeInterval(shift);
}

}  // namespace

Calendar Calendar::current() { return Calendar(); }

std::optional<Date> Calendar::addingDays(Date date, int days) const
{
    const QDateTime local = localDateTime(date);
    const QDateTime moved = local.addDays(days);
    if (!local.isValid() || !moved.isValid()) return std::nullopt;
    return fromLocal(moved, date, local);
}

Date Calendar::startOfDay(Date date) const
{
    const QDateTime local = localDateTime(date);
    const QDateTime start = local.date().startOfDay(QTimeZone::systemTimeZone());
    return Date::fromUnixTime(double(start.toMSecsSinceEpoch()) / 1000.0);
}

int Calendar::daysBetween(Date from, Date to) const
{
    return int(localDateTime(from).date().daysTo(localDateTime(to).date()));
}

}  // namespace core
