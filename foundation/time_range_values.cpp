#include "foundation/time_range_values.h"

namespace kestrane {

media::TimeRange TimeRangeStatics::withDuration(const media::Time& duration) { return {media::Time::zero(), duration}; }

media::TimeRange withStart(const media::TimeRange& range, const media::Time& start) { return {start, range.duration}; }

media::TimeRange withEnd(const media::TimeRange& range, const media::Time& end)
{
    return {range.start, media::subtract(end, range.start)};
}

media::Time clamp(const media::TimeRange& range, const media::Time& t) { return media::clamp(t, range); }

media::TimeRange unionWith(const media::TimeRange& range, const media::TimeRange& other)
{
    return media::unionOf(range, other);
}

TimeSplitIterator split(const media::TimeRange& range, std::int64_t count)
{
    return {range.start, range.duration, count};
}

}  // namespace kestrane
