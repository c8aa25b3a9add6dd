#include "moviekit/time_splitter.h"

#include <algorithm>
#include <limits>

namespace orvalis {

namespace {

using Wide = __int128;

// Keeps every count of the list, and the count plus both ends, within 64 bits.
constexpr std::int64_t largestCount = std::numeric_limits<std::int64_t>::max() - 2;

bool isPositiveNumber(const media::Time& t) { return t.isNumeric() && t.value > 0; }

// Whether k · interval < duration, exactly (both positive numbers).
bool multipleIsBefore(Wide k, const media::Time& interval, const media::Time& duration)
{
    return k * interval.value * duration.timescale < Wide(duration.value) * interval.timescale;
}

// Whether `parts` − 1 steps end strictly before the duration and `parts` steps reach it.
bool splitsIntoParts(const media::Time& step, std::int32_t parts, const media::Time& duration)
{
    return multipleIsBefore(parts - 1, step, duration) && !multipleIsBefore(parts, step, duration);
}

// duration / parts rounded up at the finest timescale; nullopt when the value does not fit.
std::optional<media::Time> finestStepUp(const media::Time& duration, std::int32_t parts)
{
    const Wide numerator = Wide(duration.value) * media::Time::maxTimescale;
    const Wide denominator = Wide(duration.timescale) * parts;
    const Wide value = (numerator + denominator - 1) / denominator;
    if (value > std::numeric_limits<std::int64_t>::max()) return std::nullopt;
    return media::Time::make(std::int64_t(value), media::Time::maxTimescale);
}

}  // namespace

std::pair<std::int64_t, std::int64_t> TimeSplitter::framesOfRange() const
{
    const std::vector<media::Time>& times = *frameTimes;
    // The frame on screen at the start is the last one starting at or before it (the first, before them all).
    const auto afterStart = std::upper_bound(times.begin(), times.end(), timeRange.start);
    const auto first = afterStart == times.begin() ? afterStart : afterStart - 1;
    const auto end =
        timeRange.duration.isNumeric() ? std::lower_bound(times.begin(), times.end(), timeRange.end()) : times.end();
    return {first - times.begin(), std::max(end, first) - times.begin()};
}

std::int64_t TimeSplitter::splitCount() const
{
    if (stepsByFrames()) {
        if (!frameTimes) return 0;
        const auto [first, end] = framesOfRange();
        // Frames first + k · step, k ≥ 1, before the end.
        return end - first > 0 ? (end - first - 1) / frameStep : 0;
    }
    const media::Time& d = timeRange.duration;
    if (!isPositiveNumber(d) || !isPositiveNumber(interval)) return 0;
    // The k ≥ 1 with k · i < d are those with k · Q < P, so there are (P − 1) / Q of them.
    const Wide p = Wide(d.value) * interval.timescale;
    const Wide q = Wide(interval.value) * d.timescale;
    return std::int64_t(std::min<Wide>((p - 1) / q, largestCount));
}

void TimeSplitter::setSplitCount(std::int64_t n)
{
    const auto parts = std::int32_t(std::clamp<std::int64_t>(n, 0, std::numeric_limits<std::int32_t>::max() - 1) + 1);
    const media::Time& duration = timeRange.duration;
    interval = media::multiplyByRatio(duration, 1, parts);
    // A rounded step may put the last point on or after the end; the finest step rounded up does not, unless
    // the points lie closer together than the finest timescale can tell apart.
    if (!isPositiveNumber(duration) || !isPositiveNumber(interval) || splitsIntoParts(interval, parts, duration))
        return;
    if (const auto finer = finestStepUp(duration, parts)) interval = *finer;
}

std::int64_t TimeSplitter::timesCount() const { return splitCount() + (includeStart ? 1 : 0) + (includeEnd ? 1 : 0); }

media::Time TimeSplitter::time(std::int64_t index) const
{
    std::int64_t k = index;
    if (includeStart) {
        k -= 1;
        if (k == -1) return timeRange.start;
    }
    if (includeEnd && k == splitCount()) return timeRange.end();
    const std::int64_t multiple = k + 1;
    if (stepsByFrames()) {
        if (!frameTimes || frameTimes->empty()) return timeRange.start;
        const Wide position = Wide(framesOfRange().first) + Wide(multiple) * frameStep;
        const Wide last = Wide(frameTimes->size()) - 1;
        return (*frameTimes)[std::size_t(std::clamp<Wide>(position, 0, last))];
    }
    if (multiple >= std::numeric_limits<std::int32_t>::min() && multiple <= std::numeric_limits<std::int32_t>::max())
        return timeRange.start + media::multiply(interval, std::int32_t(multiple));
    return timeRange.start + media::multiplyByFloat64(interval, double(multiple));
}

TimeSplitterTimes TimeSplitter::generateTimes() const { return TimeSplitterTimes(*this); }

std::optional<media::Time> TimeSplitterTimes::next()
{
    if (position_ >= count_) return std::nullopt;
    return splitter_.time(position_++);
}

std::optional<media::Time> SplitterIterator::time() const
{
    if (!index) return std::nullopt;
    return splitter.time(*index);
}

std::optional<media::Time> SplitterIterator::next()
{
    const std::int64_t count = timesCount();
    if (index && *index < count - 1)
        *index += 1;
    else if (count >= 1)
        index = 0;
    else
        index.reset();
    return time();
}

std::optional<media::Time> SplitterIterator::previous()
{
    const std::int64_t count = timesCount();
    if (index && *index >= 1)
        *index -= 1;
    else if (count >= 1)
        index = count - 1;
    else
        index.reset();
    return time();
}

}  // namespace orvalis
