#include "platform/core/dispatch_group.h"

#include "platform/core/deadline.h"
#include "platform/core/print.h"

namespace core {

void DispatchGroup::enter()
{
    MutexLock lock(mutex_);
    ++pending_;
}

void DispatchGroup::leave()
{
    decltype(notifications_) due;
    {
        MutexLock lock(mutex_);
        if (pending_ == 0) fatalError("DispatchGroup: leave() without a matching enter()");
        if (--pending_ > 0) return;
        due.swap(notifications_);
        empty_.notify_all();
    }
    for (auto& [queue, work] : due)
        queue->async(std::move(work));
}

void DispatchGroup::wait()
{
    MutexLock lock(mutex_);
    empty_.wait(lock, [this]() REQUIRES(mutex_) { return pending_ == 0; });
}

bool DispatchGroup::wait(double seconds)
{
    MutexLock lock(mutex_);
    return empty_.wait_until(lock, deadlineAfter(seconds), [this]() REQUIRES(mutex_) { return pending_ == 0; });
}

void DispatchGroup::notify(const std::shared_ptr<DispatchQueue>& queue, DispatchQueue::Work work)
{
    {
        MutexLock lock(mutex_);
        if (pending_ > 0) {
            notifications_.emplace_back(queue, std::move(work));
            return;
        }
    }
    queue->async(std::move(work));
}

}  // namespace core
