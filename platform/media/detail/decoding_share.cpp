#include "platform/media/detail/decoding_share.h"

#include "platform/media/detail/ffmpeg.h"

#include <algorithm>
#include <chrono>

namespace media::detail {

DecodingShare& DecodingShare::shared()
{
    // Never destroyed: job threads may still give their threads back while the process ends.
    static auto* share = new DecodingShare(av_cpu_count());
    return *share;
}

DecodingShare::DecodingShare(int threads) : threads_(std::max(1, threads)) {}

int DecodingShare::clamped(int threads) const { return std::clamp(threads, 1, threads_); }

bool DecodingShare::take(int threads, const std::function<bool()>& stop)
{
    threads = clamped(threads);
    core::MutexLock lock(mutex_);
    const std::uint64_t ticket = nextTicket_++;
    queue_.push_back(ticket);
    for (;;) {
        // Asked without the lock: a stop may reach the share itself (a job cancelled wakes its waiters).
        lock.unlock();
        const bool stops = stop && stop();
        lock.lock();
        if (stops) {
            queue_.erase(std::find(queue_.begin(), queue_.end(), ticket));
            changed_.notify_all();
            return false;
        }
        if (queue_.front() == ticket && inUse_ + threads <= threads_) break;
        // Now and then too: a stop set while it was being asked may have woken nobody.
        changed_.wait_for(lock, std::chrono::milliseconds(50));
    }
    queue_.pop_front();
    inUse_ += threads;
    mostInUse_ = std::max(mostInUse_, inUse_);
    changed_.notify_all();
    return true;
}

void DecodingShare::give(int threads)
{
    core::MutexLock lock(mutex_);
    inUse_ -= clamped(threads);
    changed_.notify_all();
}

void DecodingShare::wake()
{
    core::MutexLock lock(mutex_);
    changed_.notify_all();
}

bool DecodingShare::isWanted() const
{
    core::MutexLock lock(mutex_);
    return !queue_.empty();
}

int DecodingShare::inUse() const
{
    core::MutexLock lock(mutex_);
    return inUse_;
}

int DecodingShare::mostInUse() const
{
    core::MutexLock lock(mutex_);
    return mostInUse_;
}

void DecodingShare::resetMostInUse()
{
    core::MutexLock lock(mutex_);
    mostInUse_ = inUse_;
}

}  // namespace media::detail
