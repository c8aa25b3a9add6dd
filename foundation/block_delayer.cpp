#include "foundation/block_delayer.h"

namespace kestrane {

BlockDelayer::BlockDelayer(double seconds, std::shared_ptr<core::DispatchQueue> queue)
    : seconds_(seconds), queue_(std::move(queue))
{
}

void BlockDelayer::start(core::DispatchQueue::Work block)
{
    queue_->async(std::move(block));
    startDate_ = std::chrono::steady_clock::now();
}

void BlockDelayer::stop(core::DispatchQueue::Work block)
{
    if (!startDate_) {
        queue_->async(std::move(block));
        return;
    }
    // The start's distance from now: negative for a start in the past.
    const double sinceNow = std::chrono::duration<double>(*startDate_ - std::chrono::steady_clock::now()).count();
    if (seconds_ >= sinceNow)
        queue_->asyncAfter(seconds_ + sinceNow, std::move(block));
    else
        queue_->async(std::move(block));
}

}  // namespace kestrane
