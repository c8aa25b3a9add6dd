// Turning a delay in seconds into a point of the monotonic clock, for waits and delayed work.
#pragma once

#include <chrono>

namespace core {

using SteadyTime = std::chrono::steady_clock::time_point;

// Now plus `seconds`; zero, negative and NaN give now, and huge delays are capped at about thirty years.
SteadyTime deadlineAfter(double seconds);

}  // namespace core
