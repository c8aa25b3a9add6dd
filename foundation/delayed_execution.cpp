#include "foundation/delayed_execution.h"

namespace kestrane {

std::shared_ptr<core::Timer> Timer::after(double interval, core::Timer::Function function, std::any userInfo)
{
    return core::Timer::scheduled(interval, false, std::move(function), std::move(userInfo));
}

std::shared_ptr<core::Timer> Timer::repeats(double interval, core::Timer::Function function, std::any userInfo)
{
    return core::Timer::scheduled(interval, true, std::move(function), std::move(userInfo));
}

void asyncAfter(core::DispatchQueue& queue, double seconds, core::DispatchQueue::Work work)
{
    queue.asyncAfter(seconds, std::move(work));
}

}  // namespace kestrane
