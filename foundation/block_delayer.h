// Runs a start block at once and makes the matching stop block wait until at least `seconds` have passed since
// the last start, both on one queue (the main queue by default), so that what the start block begins lasts at
// least that long. Call start and stop from one thread.
#pragma once

#include <chrono>
#include <memory>
#include <optional>

#include "platform/core/dispatch_queue.h"

namespace kestrane {

class BlockDelayer {
public:
    explicit BlockDelayer(double seconds, std::shared_ptr<core::DispatchQueue> queue = core::DispatchQueue::main());
    virtual ~BlockDelayer() = default;

    double seconds() const { return seconds_; }
    const std::shared_ptr<core::DispatchQueue>& queue() const { return queue_; }

    // Submits `block` asynchronously at once and takes now as the start.
    virtual void start(core::DispatchQueue::Work block);
    // Submits `block` to run at the last start plus `seconds`, or at once (asynchronously) when that moment has
    // passed or there was no start. Submitted blocks cannot be cancelled.
    virtual void stop(core::DispatchQueue::Work block);

private:
    const double seconds_;
    const std::shared_ptr<core::DispatchQueue> queue_;
    std::optional<std::chrono::steady_clock::time_point> startDate_;  // of the last start
};

}  // namespace kestrane
