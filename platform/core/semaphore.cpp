#include "platform/core/semaphore.h"

#include "platform/core/deadline.h"

namespace core {

void Semaphore::wait()
{
    std::unique_lock lock(mutex_);
    ++waiters_;
    available_.wait(lock, [this] { return count_ > 0; });
    --waiters_;
    --count_;
}

bool Semaphore::wait(double seconds)
{
    std::unique_lock lock(mutex_);
    ++waiters_;
    const bool available = available_.wait_until(lock, deadlineAfter(seconds), [this] { return count_ > 0; });
    --waiters_;
    if (!available) return false;
    --count_;
    return true;
}

void Semaphore::signal()
{
    // Notifying under the lock lets a waiter destroy the semaphore as soon as it returns.
    std::lock_guard lock(mutex_);
    ++count_;
    available_.notify_one();
}

long Semaphore::waiters() const
{
    std::lock_guard lock(mutex_);
    return waiters_;
}

}  // namespace core
