// Time ranges as the program uses them: ranges from a duration, moved starts and ends, clamping and union
// with the range first, and splitting. Containment and intersection are the platform's own
// (media::contains, media::intersection), whose signatures these would only repeat.
#pragma once

#include "foundation/time_split.h"
#include "platform/media/time_range.h"

#include <cstdint>

namespace kestrane {

// Named apart from media::TimeRange, as TimeStatics is.
struct TimeRangeStatics {
    TimeRangeStatics() = delete;

    static media::TimeRange zero() { return media::TimeRange::zero(); }
    static media::TimeRange invalid() { return media::TimeRange::invalid(); }
    // From time zero, lasting the duration.
    static media::TimeRange withDuration(const media::Time& duration);
};

// The given start with the range's duration: the end moves with the start.
media::TimeRange withStart(const media::TimeRange& range, const media::Time& start);
// The range's start, lasting until the given end.
media::TimeRange withEnd(const media::TimeRange& range, const media::Time& end);

// The time moved into the range: its start before it, its end after it.
media::Time clamp(const media::TimeRange& range, const media::Time& t);
// From the earlier start to the later end (the range's `union`).
media::TimeRange unionWith(const media::TimeRange& range, const media::TimeRange& other);

// The middles of `count` equal pieces of the range.
TimeSplitIterator split(const media::TimeRange& range, std::int64_t count);

}  // namespace kestrane
