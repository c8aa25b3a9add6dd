#include "platform/core/delay_scheduler.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <queue>
#include <thread>
#include <vector>

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
        std::lock_guard lock(mutex_);
        heap_.push(DelayedWork{deadline, nextOrder_++, std::move(queue), std::move(work)});
        changed_.notify_one();
    }

private:
    [[noreturn]] void serve()
    {
        std::unique_lock lock(mutex_);
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

    std::mutex mutex_;
    std::condition_variable changed_;
    std::priority_queue<DelayedWork, std::vector<DelayedWork>, LaterFirst> heap_;
    std::uint64_t nextOrder_ = 0;
};

}  // namespace

void scheduleDelayed(SteadyTime deadline, std::shared_ptr<DispatchQueue> queue, DispatchQueue::Work work)
{
    // Never destroyed: its thread serves until the process ends.
    static auto* scheduler = new HeapScheduler;
    scheduler->schedule(deadline, std::move(queue), std::move(work));
}

}  // namespace core
