#include "app/batch/batch_turns.h"

#include <algorithm>
#include <limits>

#include "app/document/defaults_keys.h"
#include "foundation/shortcuts.h"

namespace vistrel {

namespace {
constexpr long defaultConcurrentFrameCount = 8;
}

BatchTurns::BatchTurns(std::function<BatchState()> state, std::shared_ptr<const std::atomic<bool>> stoppedForGood,
                       std::function<void()> leaving)
    : state_(std::move(state)), stoppedForGood_(std::move(stoppedForGood)), leaving_(std::move(leaving))
{
}

bool BatchTurns::isFinished() const { return batch_state::isFinished(state_()); }

bool BatchTurns::takeTurn()
{
    for (;;) {
        if (state_() == BatchState::stopped) {
            leaveTurn();
            // A wake-up left over from an earlier resume finds the task still stopped and waits again.
            while (state_() == BatchState::stopped && !*stoppedForGood_)
                stopSemaphore_.wait();
        }
        if (isFinished() || *stoppedForGood_) return false;
        if (holdsTurn_) return true;
        // The wait may be long: the state is read again once the turn is ours.
        turnSemaphore().wait();
        holdsTurn_ = true;
    }
}

bool BatchTurns::takeFrameSlot()
{
    for (;;) {
        if (!takeTurn()) return false;
        concurrencySemaphore().wait();
        // The wait may have been long: a task stopped or cancelled meanwhile starts no frame.
        if (state_() == BatchState::processing && !*stoppedForGood_) return true;
        concurrencySemaphore().signal();
    }
}

void BatchTurns::leaveTurn()
{
    leaving_();
    if (!holdsTurn_) return;
    holdsTurn_ = false;
    turnSemaphore().signal();
}

void BatchTurns::wake() { stopSemaphore_.signal(); }

long BatchTurns::concurrentFrameCount(const std::optional<std::int64_t>& stored)
{
    if (!stored) return defaultConcurrentFrameCount;
    return long(std::clamp<std::int64_t>(*stored, 1, std::numeric_limits<long>::max()));
}

long BatchTurns::frameLimit()
{
    static const long limit = concurrentFrameCount(kestrane::Defaults[BatchManagerConcurrentCountKey].intValue());
    return limit;
}

// The shared limits are never destroyed: workers of tasks may still reach them while the process ends.
core::Semaphore& BatchTurns::concurrencySemaphore()
{
    static auto* semaphore = new core::Semaphore(frameLimit());
    return *semaphore;
}

core::Semaphore& BatchTurns::turnSemaphore()
{
    static auto* semaphore = new core::Semaphore(frameLimit());
    return *semaphore;
}

}  // namespace vistrel
