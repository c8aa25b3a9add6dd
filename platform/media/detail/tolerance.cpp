#include "platform/media/detail/tolerance.h"

namespace media::detail {

Time usableTolerance(const Time& t)
{
    if (t.isPositiveInfinity()) return t;
    if (!t.isNumeric() || compare(t, Time::zero()) < 0) return Time::zero();
    return t;
}

FrameWindow frameWindow(const Time& t, const Time& before, const Time& after, AVRational timeBase)
{
    const Time low = usableTolerance(before), high = usableTolerance(after);
    FrameWindow window;
    window.keyFrame = low.isPositiveInfinity();
    window.target = ticksFromTime(t, timeBase, Rounding::towardNegativeInfinity);
    window.low =
        window.keyFrame ? farPast : ticksFromTime(subtract(t, low), timeBase, Rounding::towardPositiveInfinity);
    window.high =
        high.isPositiveInfinity() ? farFuture : ticksFromTime(add(t, high), timeBase, Rounding::towardNegativeInfinity);
    return window;
}

}  // namespace media::detail
