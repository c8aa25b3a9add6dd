// The times at which frames are taken out of a range: points at a regular interval strictly inside the range,
// optionally preceded by its start and followed by its end. The interval is given directly or through the
// number of inner points. Counting is exact: n inner points asked for are n inner points, whatever the
// range's length, and a zero or unusable interval gives none. Given the movie's own frame times and a step of
// N frames instead, the inner points are the frames N, 2N, … after the frame shown at the range's start, each
// at its own start, whatever the rate. A plain value.
#pragma once

#include "platform/media/time.h"
#include "platform/media/time_range.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace orvalis {

class TimeSplitterTimes;

struct TimeSplitter {
    media::TimeRange timeRange = media::TimeRange::zero();
    bool includeStart = false;
    bool includeEnd = false;
    // Distance between consecutive inner points.
    media::Time interval = media::Time::zero();
    // Every frame's start on the movie's timeline, in order, and the step in frames; with both, the inner
    // points are frames of that list and the interval is not used.
    std::shared_ptr<const std::vector<media::Time>> frameTimes;
    std::int64_t frameStep = 0;

    TimeSplitter() = default;
    explicit TimeSplitter(const media::TimeRange& timeRange) : timeRange(timeRange) {}

    // The number of whole multiples k · interval, k ≥ 1, that lie strictly before the range's end; 0 when the
    // interval or the duration is not a positive number.
    std::int64_t splitCount() const;
    // Makes n inner points that divide the range into n + 1 equal parts (n below 0 counts as 0). When the
    // duration does not divide exactly, the interval is rounded up by one unit of its timescale, never down,
    // so that the n-th point stays strictly before the end.
    void setSplitCount(std::int64_t n);
    // splitCount, plus one for the start and one for the end when they are included.
    std::int64_t timesCount() const;
    // [start], start + interval, start + 2 · interval, …, start + splitCount · interval, [end]. Positions
    // past the end of the list continue the series.
    media::Time time(std::int64_t index) const;
    // Every time of the list, in order, from a copy of the splitter taken now.
    TimeSplitterTimes generateTimes() const;
    // Whether the inner points are taken every frameStep frames; without frameTimes there are none yet.
    bool stepsByFrames() const { return frameStep > 0; }
    // The positions in frameTimes (given) of the frame shown at the start and of the first frame at or after
    // the end.
    std::pair<std::int64_t, std::int64_t> framesOfRange() const;

    friend bool operator==(const TimeSplitter&, const TimeSplitter&) = default;
};

// The times of one splitter, one per call to next(), then nothing.
class TimeSplitterTimes {
public:
    explicit TimeSplitterTimes(const TimeSplitter& splitter) : splitter_(splitter), count_(splitter.timesCount()) {}

    std::optional<media::Time> next();

private:
    TimeSplitter splitter_;
    std::int64_t count_;
    std::int64_t position_ = 0;
};

// Walks the list of a splitter one step at a time, forwards or backwards, wrapping at both ends.
struct SplitterIterator {
    TimeSplitter splitter;
    // None before the first step and after reset().
    std::optional<std::int64_t> index;

    explicit SplitterIterator(const TimeSplitter& splitter) : splitter(splitter) {}

    std::int64_t timesCount() const { return splitter.timesCount(); }
    // The time at the index; none without one.
    std::optional<media::Time> time() const;
    // One step on; from no index, or from the last time, to the first. None for an empty list.
    std::optional<media::Time> next();
    // One step back; from no index, or from the first time, to the last. None for an empty list.
    std::optional<media::Time> previous();
    void reset() { index.reset(); }
};

}  // namespace orvalis
