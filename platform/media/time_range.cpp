#include "platform/media/time_range.h"

namespace media {

bool TimeRange::isValid() const
{
    if (!start.isValid() || !duration.isValid() || start.epoch != 0 || duration.epoch != 0) return false;
    if (duration.isPositiveInfinity()) return true;
    return duration.isNumeric() && duration.value >= 0;
}

bool TimeRange::isEmpty() const { return isValid() && duration == Time::zero(); }

bool contains(const TimeRange& range, const Time& t)
{
    if (!range.isValid() || !t.isValid()) return false;
    return compare(range.start, t) <= 0 && compare(t, range.end()) < 0;
}

bool contains(const TimeRange& range, const TimeRange& other)
{
    if (!range.isValid() || !other.isValid()) return false;
    return compare(range.start, other.start) <= 0 && compare(other.end(), range.end()) <= 0;
}

TimeRange intersection(const TimeRange& a, const TimeRange& b)
{
    if (!a.isValid() || !b.isValid()) return TimeRange::invalid();
    Time start = maximum(a.start, b.start);
    Time end = minimum(a.end(), b.end());
    if (compare(end, start) <= 0) return {start, Time::zero()};
    return TimeRange::fromTo(start, end);
}

TimeRange unionOf(const TimeRange& a, const TimeRange& b)
{
    if (!a.isValid() || !b.isValid()) return TimeRange::invalid();
    return TimeRange::fromTo(minimum(a.start, b.start), maximum(a.end(), b.end()));
}

Time clamp(const Time& t, const TimeRange& range)
{
    if (!range.isValid() || range.isEmpty() || !t.isValid()) return Time::invalid();
    if (compare(t, range.start) < 0) return range.start;
    Time end = range.end();
    if (compare(t, end) > 0) return end;
    return t;
}

}  // namespace media
