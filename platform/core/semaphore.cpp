#include "platform/core/semaphore.h"

#include "platform/core/deadline.h"

namespace core {

void Semaphore::wait()
{
    MutexLock lock(mutex_);
    ++waiters_;
    available_.wait(lock, [this]() REQUIRES(mutex_) { return count_ > 0; });
    --waiters_;
    --count_;
}

bool Semaphore::wait(double seconds)
{
    MutexLock lock(mutex_);
    ++waiters_;
    const bool available =
        available_.wait_until(lock, deadlineAfter(seconds), [this]() REQUIRES(mutex_) { return count_ > 0; });
    --waiters_;
    if (!available) return false;
    --count_;
    return true;
}

void Semaphore::signal()
{
    // Notifying under the lock lets a waiter destroy the semaphore as soon as it returns.
    MutexLock lock(mutex_);
    ++count_;
    available_.notify_one();
}

long Semaphore::waiters() const
{
    MutexLock lock(mutex_);
    return waiters_;
}

}  // namespace core
