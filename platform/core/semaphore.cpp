#include "platform/core/semaphore.h"

#include "platform/core/deadline.h"

namespace core {

void Semaphore::wait()
{
    std::unique_lock lock(mutex_);
    available_.wait(lock, [this] { return count_ > 0; });
    --count_;
}

bool Semaphore::wait(double seconds)
{
    std::unique_lock lock(mutex_);
    if (!available_.wait_until(lock, deadlineAfter(seconds), [this] { return count_ > 0; })) return false;
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

}  // namespace core
