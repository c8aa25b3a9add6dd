// Serial and concurrent queues: a pool of threads, at most one for a serial queue, as many as there are items
// for a concurrent one. Idle threads retire after ten seconds; each thread keeps its queue alive. Internal to
// the dispatch layer.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>

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
    std::mutex mutex_;
    std::condition_variable itemsAdded_;
    std::deque<Work> items_;
    std::size_t threads_ = 0;
    std::size_t idle_ = 0;
};

}  // namespace core
