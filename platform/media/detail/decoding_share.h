// The program's share of decoding threads for image jobs (many frames of a movie decoded side by side). Every
// decoder a job opens holds its threads of the share for as long as it is open, so that however many jobs run
// at once (two documents generating, a batch of many movies) they never decode on more threads than the
// processor has cores. Waiters are served in the order they came. Safe from any thread.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

#include "platform/core/condition_variable.h"

namespace media::detail {

class DecodingShare {
public:
    // The share of the program: as many threads as the processor has cores.
    static DecodingShare& shared();
    explicit DecodingShare(int threads);
    DecodingShare(const DecodingShare&) = delete;
    DecodingShare& operator=(const DecodingShare&) = delete;

    int threads() const { return threads_; }
    // Waits until `threads` (at least 1, at most the share) are free and takes them; false, taking nothing, once
    // `stop` answers true (it is asked, without the share's lock, whenever the share changes, and after wake()).
    bool take(int threads, const std::function<bool()>& stop);
    void give(int threads);
    // Wakes the waiters, so that they ask their `stop` again.
    void wake();
    // Whether anyone waits for threads now.
    bool isWanted() const;
    // For observation: the threads taken now, and the most taken at once since the last reset.
    int inUse() const;
    int mostInUse() const;
    void resetMostInUse();

private:
    int clamped(int threads) const;

    const int threads_;
    mutable core::Mutex mutex_;  // guards the tickets and the counts of threads in use
    core::ConditionVariable changed_;
    std::deque<std::uint64_t> queue_ GUARDED_BY(mutex_);  // the waiters' tickets, first come first
    std::uint64_t nextTicket_ GUARDED_BY(mutex_) = 0;
    int inUse_ GUARDED_BY(mutex_) = 0;
    int mostInUse_ GUARDED_BY(mutex_) = 0;
};

}  // namespace media::detail
