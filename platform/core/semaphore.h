// A counting semaphore: `wait` takes one unit, blocking while there is none, `signal` gives one back. A signal
// is never lost, whether it comes before or after the wait. Safe from any thread.
#pragma once

#include "platform/core/condition_variable.h"

namespace core {

class Semaphore {
public:
    explicit Semaphore(long value = 0) : count_(value) {}
    Semaphore(const Semaphore&) = delete;
    Semaphore& operator=(const Semaphore&) = delete;

    void wait();
    // False when no unit came within `seconds` (nothing is taken then).
    bool wait(double seconds);
    void signal();
    // For observation: how many threads are blocked in a wait at this moment.
    long waiters() const;

private:
    mutable Mutex mutex_;  // guards the count and the waiters
    ConditionVariable available_;
    long count_ GUARDED_BY(mutex_);
    long waiters_ GUARDED_BY(mutex_) = 0;
};

}  // namespace core
