// Timers on the main loop made in one call, and delayed work on a queue given in seconds.
#pragma once

#include <any>
#include <memory>

#include "platform/core/dispatch_queue.h"
#include "platform/core/timer.h"

namespace kestrane {

struct Timer {
    Timer() = delete;

    // A one-shot timer that calls `function` after `interval` seconds; keep it to invalidate it.
    static std::shared_ptr<core::Timer> after(double interval, core::Timer::Function function, std::any userInfo = {});
    // A timer that calls `function` every `interval` seconds until it is invalidated.
    static std::shared_ptr<core::Timer> repeats(double interval, core::Timer::Function function,
                                                std::any userInfo = {});
};

// Submits `work` to `queue` to run `seconds` from now; never inside this call, even for 0.
void asyncAfter(core::DispatchQueue& queue, double seconds, core::DispatchQueue::Work work);

}  // namespace kestrane
