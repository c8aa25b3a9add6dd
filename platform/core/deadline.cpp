#include "platform/core/deadline.h"

namespace core {

SteadyTime deadlineAfter(double seconds)
{
    constexpr double longest = 1e9;
    const auto now = std::chrono::steady_clock::now();
    if (!(seconds > 0)) return now;
    const double capped = seconds < longest ? seconds : longest;
    return now + std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(capped));
}

}  // namespace core
