// A span of a media timeline: a start and a duration, both exact times. A value type.
#pragma once

#include "platform/media/time.h"

namespace media {

struct TimeRange {
    Time start;
    Time duration;

    static TimeRange make(const Time& start, const Time& duration) { return {start, duration}; }
    // From start to end (duration = end − start).
    static TimeRange fromTo(const Time& start, const Time& end) { return {start, subtract(end, start)}; }
    static TimeRange zero() { return {Time::zero(), Time::zero()}; }
    static TimeRange invalid() { return {Time::invalid(), Time::invalid()}; }

    // Both times valid, the duration numeric (or +∞) and not negative, and the epochs zero.
    bool isValid() const;
    // Valid with a zero duration.
    bool isEmpty() const;
    Time end() const { return add(start, duration); }

    friend bool operator==(const TimeRange& a, const TimeRange& b)
    {
        return a.start == b.start && a.duration == b.duration;
    }
};

// start ≤ t < end.
bool contains(const TimeRange& range, const Time& t);
// The other range lies wholly inside, its end included.
bool contains(const TimeRange& range, const TimeRange& other);
// [max of the starts, min of the ends); a zero duration when the ranges do not meet.
TimeRange intersection(const TimeRange& a, const TimeRange& b);
// From the earlier start to the later end.
TimeRange unionOf(const TimeRange& a, const TimeRange& b);
// The start for earlier times, the end for later ones, the time itself inside; invalid for an empty range.
Time clamp(const Time& t, const TimeRange& range);

}  // namespace media
