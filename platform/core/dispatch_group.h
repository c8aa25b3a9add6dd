// Tracks a set of pending tasks: `enter` before each, `leave` after it; `wait` blocks until none is pending and
// `notify` submits work once none is. Safe from any thread.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "platform/core/condition_variable.h"
#include "platform/core/dispatch_queue.h"

namespace core {

class DispatchGroup {
public:
    DispatchGroup() = default;
    DispatchGroup(const DispatchGroup&) = delete;
    DispatchGroup& operator=(const DispatchGroup&) = delete;

    void enter();
    // A leave without a matching enter stops the program.
    void leave();
    void wait();
    // False when tasks were still pending after `seconds`.
    bool wait(double seconds);
    // Submits `work` to `queue` once no task is pending: at once when none is now.
    void notify(const std::shared_ptr<DispatchQueue>& queue, DispatchQueue::Work work);

private:
    Mutex mutex_;  // guards the pending count and the notifications
    ConditionVariable empty_;
    long pending_ GUARDED_BY(mutex_) = 0;
    std::vector<std::pair<std::shared_ptr<DispatchQueue>, DispatchQueue::Work>> notifications_ GUARDED_BY(mutex_);
};

}  // namespace core
