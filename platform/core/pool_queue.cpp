#include "platform/core/pool_queue.h"

#include <chrono>
#include <thread>

#include "platform/core/semaphore.h"

namespace core {

namespace {
constexpr auto idleLifetime = std::chrono::seconds(10);
}

void PoolQueue::async(Work work)
{
    MutexLock lock(mutex_);
    items_.push_back(std::move(work));
    // Every idle thread takes one waiting item; an item left over gets a thread of its own.
    const bool needsThread = kind_ == Kind::serial ? threads_ == 0 : items_.size() > idle_;
    if (needsThread) {
        try {
            std::thread([self = sharedAs<PoolQueue>()] { self->serve(); }).detach();
        } catch (...) {
            // Whatever stopped the thread (std::system_error, std::bad_alloc) goes on to the caller, who thus
            // learns that the work was not taken: nothing is swallowed here.
            items_.pop_back();
            throw;
        }
        ++threads_;
    } else {
        itemsAdded_.notify_one();
    }
}

bool PoolQueue::sync(Work work)
{
    if (kind_ == Kind::concurrent || isRunningOnCallingThread()) {
        RunningScope running(this);
        work();
        return true;
    }
    Semaphore done;
    async([&] {
        work();
        done.signal();
    });
    done.wait();
    return true;
}

void PoolQueue::serve()
{
    RunningScope running(this);
    MutexLock lock(mutex_);
    for (;;) {
        if (!items_.empty()) {
            Work work = std::move(items_.front());
            items_.pop_front();
            lock.unlock();
            work();
            work = nullptr;  // whatever the item captured goes before the next one starts
            lock.lock();
            continue;
        }
        ++idle_;
        const bool woken =
            itemsAdded_.wait_for(lock, idleLifetime, [this]() REQUIRES(mutex_) { return !items_.empty(); });
        --idle_;
        if (!woken) {
            --threads_;
            return;
        }
    }
}

}  // namespace core
