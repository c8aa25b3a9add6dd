#include "platform/core/delay_scheduler.h"

#include <cstdint>
#include <queue>
#include <thread>
#include <vector>

#include "platform/core/condition_variable.h"

namespace core {

namespace {

struct DelayedWork {
    SteadyTime deadline;
    std::uint64_t order;
    std::shared_ptr<DispatchQueue> queue;
    DispatchQueue::Work work;
};

struct LaterFirst {
    bool operator()(const DelayedWork& a, const DelayedWork& b) const
    {
        return a.deadline != b.deadline ? a.deadline > b.deadline : a.order > b.order;
    }
};

class HeapScheduler {
public:
    HeapScheduler()
    {
        std::thread([this] { serve(); }).detach();
    }

    void schedule(SteadyTime deadline, std::shared_ptr<DispatchQueue> queue, DispatchQueue::Work work)
    {
        MutexLock lock(mutex_);
        heap_.push(DelayedWork{deadline, nextOrder_++, std::move(queue), std::move(work)});
        changed_.notify_one();
    }

private:
    [[noreturn]] void serve()
    {
        MutexLock lock(mutex_);
        for (;;) {
            if (heap_.empty()) {
                changed_.wait(lock);
                continue;
            }
            // A copy: the wait reads the deadline again after waking, when new work may have moved the heap.
            const SteadyTime next = heap_.top().deadline;
            if (std::chrono::steady_clock::now() < next) {
                changed_.wait_until(lock, next);
                continue;
            }
            std::vector<DelayedWork> due;
            const auto now = std::chrono::steady_clock::now();
            while (!heap_.empty() && heap_.top().deadline <= now) {
                due.push_back(std::move(const_cast<DelayedWork&>(heap_.top())));
                heap_.pop();
            }
            lock.unlock();
            for (auto& item : due)
                item.queue->async(std::move(item.work));
            due.clear();
            lock.lock();
        }
    }

    Mutex mutex_;  // guards the heap and the order of the next item
    ConditionVariable changed_;
    std::priority_queue<DelayedWork, std::vector<DelayedWork>, LaterFirst> heap_ GUARDED_BY(mutex_);
    std::uint64_t nextOrder_ GUARDED_BY(mutex_) = 0;
};

}  // namespace

void scheduleDelayed(SteadyTime deadline, std::shared_ptr<DispatchQueue> queue, DispatchQueue::Work work)
{
    // Never destroyed: its thread serves until the process ends.
    static auto* scheduler = new HeapScheduler;
    scheduler->schedule(deadline, std::move(queue), std::move(work));
}

}  // namespace core
