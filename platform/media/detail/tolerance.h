// Frame requests (seeks and grabs) with their time tolerances, turned into what a decoder is asked for.
#pragma once

#include "platform/media/detail/ffmpeg.h"
#include "platform/media/time.h"

#include <cstdint>
#include <limits>

namespace media::detail {

// Stream ticks before and after every frame, for windows open at one end.
inline constexpr std::int64_t farPast = std::numeric_limits<std::int64_t>::min() / 2;
inline constexpr std::int64_t farFuture = std::numeric_limits<std::int64_t>::max() / 2;

// A tolerance that is not valid, or negative, counts as zero; positive infinity stays.
Time usableTolerance(const Time& t);

// The frames acceptable for a request, in stream ticks: the wanted time and the window [low, high] around it.
// keyFrame: the tolerance before is infinite, so the key frame at or before the time answers.
struct FrameWindow {
    std::int64_t low;
    std::int64_t target;
    std::int64_t high;
    bool keyFrame;
};

// t is in the stream's own clock (the asset's time plus its origin); the tolerances are as asked.
FrameWindow frameWindow(const Time& t, const Time& before, const Time& after, AVRational timeBase);

}  // namespace media::detail
