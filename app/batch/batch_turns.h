// The turns batch tasks take, one task's share of them: as many tasks at a time hold a turn as frames may be at
// work, so that a batch of many movies keeps the decoders of a few of them only; a stopped task gives its turn
// up while it waits. Also the limit, shared by all tasks of the process, of the frames grabbed and written at
// once. Threads: a task's turns are taken and left on its worker; `wake` comes from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "app/batch/batch_state.h"
#include "platform/core/semaphore.h"

namespace vistrel {

class BatchTurns {
public:
    // `state`: the task's state as it is now; `stoppedForGood`: set once the task's writes fail for good;
    // `leaving`: what the task lets go of each time it leaves its turn.
    BatchTurns(std::function<BatchState()> state, std::shared_ptr<const std::atomic<bool>> stoppedForGood,
               std::function<void()> leaving);
    BatchTurns(const BatchTurns&) = delete;
    BatchTurns& operator=(const BatchTurns&) = delete;

    // Worker: waits while the task is stopped (without a turn) and until it has a turn; false once the task is
    // finished.
    bool takeTurn();
    // Worker: waits while the task is stopped, then takes one unit of the shared limit while the task is
    // processing; false, with no unit held, once the task is finished.
    bool takeFrameSlot();
    // Worker: gives the task's turn back, when it has one.
    void leaveTurn();
    // Any thread: a task waiting while stopped reads its state again.
    void wake();

    // The frames of all tasks being grabbed and written at once: the limit, made on first use from
    // "BatchManagerConcurrentCount" (8 when it holds no integer, at least 1).
    static core::Semaphore& concurrencySemaphore();
    // The number of frames of a stored "BatchManagerConcurrentCount".
    static long concurrentFrameCount(const std::optional<std::int64_t>& stored);
    // The frames that may be at work at once, as the settings say when first asked: the shared limits' size.
    static long frameLimit();

private:
    static core::Semaphore& turnSemaphore();
    bool isFinished() const;

    const std::function<BatchState()> state_;
    const std::shared_ptr<const std::atomic<bool>> stoppedForGood_;
    const std::function<void()> leaving_;
    bool holdsTurn_ = false;  // worker only
    core::Semaphore stopSemaphore_{0};
};

}  // namespace vistrel
