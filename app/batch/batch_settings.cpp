#include "app/batch/batch_settings.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "numerics/raw_value.h"

namespace vistrel {

namespace {

constexpr std::int32_t secondsTimescale = 1'000'000'000;

// N seconds as a time of the seconds' timescale; none unless it is a positive number that fits.
std::optional<media::Time> secondsInterval(double seconds)
{
    const double ticks = std::round(seconds * secondsTimescale);
    if (!std::isfinite(ticks) || ticks < 1 || ticks >= double(std::numeric_limits<std::int64_t>::max()))
        return std::nullopt;
    return media::Time::withSeconds(seconds, secondsTimescale);
}

}  // namespace

std::optional<orvalis::TimeSplitter> makeSplitter(const media::TimeRange& clipRange,
                                                  std::shared_ptr<const std::vector<media::Time>> frameTimes,
                                                  const BatchSettings& settings)
{
    orvalis::TimeSplitter splitter(clipRange);
    splitter.includeStart = settings.includesStart.value_or(false);
    splitter.includeEnd = settings.includesEnd.value_or(false);
    switch (SplitMode(settings.splitterRow)) {
    case SplitMode::everySeconds: {
        const auto interval = secondsInterval(settings.seconds);
        if (!interval) return std::nullopt;
        splitter.interval = *interval;
        break;
    }
    case SplitMode::everyFrames:
        // The movie's own frames, counted one by one: no rate, rounded or not, lands on them all.
        if (settings.frames < 1) return std::nullopt;
        splitter.frameStep = settings.frames;
        splitter.frameTimes = std::move(frameTimes);
        break;
    default:
        // The count divides the range into count + 1 parts, a number that must be positive and fit 32 bits.
        if (settings.count < 0 || settings.count >= std::numeric_limits<std::int32_t>::max()) return std::nullopt;
        splitter.setSplitCount(settings.count);
        break;
    }
    return splitter;
}

double usableMaxSize(double maxSize) { return std::isfinite(maxSize) && maxSize > 0 ? maxSize : 0; }

std::optional<kestrane::ImageFormat> formatOfTag(long tag)
{
    return kestrane::fromRawValue<kestrane::ImageFormat>(tag);
}

}  // namespace vistrel
