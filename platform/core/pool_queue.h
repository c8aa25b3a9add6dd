// Serial and concurrent queues: a pool of threads, at most one for a serial queue, as many as there are items
// for a concurrent one. Idle threads retire after ten seconds; each thread keeps its queue alive. Internal to
// the dispatch layer.
#pragma once

#include <cstddef>
#include <deque>

#include "platform/core/condition_variable.h"
#include "platform/core/dispatch_queue.h"

namespace core {

class PoolQueue final : public DispatchQueue {
public:
    enum class Kind { serial, concurrent };

    PoolQueue(std::string label, Kind kind) : DispatchQueue(std::move(label)), kind_(kind) {}

    void async(Work work) override;
    bool sync(Work work) override;

private:
    void serve();

    const Kind kind_;
    Mutex mutex_;  // guards the items and the counts of threads
    ConditionVariable itemsAdded_;
    std::deque<Work> items_ GUARDED_BY(mutex_);
    std::size_t threads_ GUARDED_BY(mutex_) = 0;
    std::size_t idle_ GUARDED_BY(mutex_) = 0;
};

}  // namespace core
