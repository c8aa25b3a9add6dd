// The batch tasks of one batch window: starts them as they are appended, counts how many are in each state,
// cancels and removes them, and tells its delegate about every change. The list and the commands belong to
// the main thread; the counters also move on the tasks' threads, always under the manager's lock together
// with the task's state, so that a reading never counts a task twice or not at all.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "app/batch/batch_manager_delegate.h"
#include "app/batch/batch_state.h"
#include "platform/core/index_set.h"
#include "platform/core/mutex.h"

namespace vistrel {

class BatchTask;

class BatchManager : public std::enable_shared_from_this<BatchManager> {
public:
    // One consistent reading of the four counters.
    struct Counts {
        int pending = 0;
        int stopped = 0;
        int processing = 0;
        int complete = 0;  // cancelled or complete

        // How many times the last running task ended by completing its frames (not by a stop or a cancel):
        // the natural ends of a batch.
        int naturalEnds = 0;

        int sum() const { return pending + stopped + processing + complete; }
    };

    static std::shared_ptr<BatchManager> create() { return std::make_shared<BatchManager>(); }
    BatchManager() = default;
    BatchManager(const BatchManager&) = delete;
    BatchManager& operator=(const BatchManager&) = delete;

    // Main thread.
    std::shared_ptr<BatchManagerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<BatchManagerDelegate>& delegate) { delegate_ = delegate; }
    // Main thread: the tasks in the order they were appended.
    const std::vector<std::shared_ptr<BatchTask>>& tasks() const { return tasks_; }

    // Any thread.
    int pendingTasksCount() const { return counts().pending; }
    int stoppedTasksCount() const { return counts().stopped; }
    int processingTasksCount() const { return counts().processing; }
    int completeTasksCount() const { return counts().complete; }
    // Pending and processing tasks; stopped ones are not running.
    int runningTasksCount() const;
    Counts counts() const;

    // Main thread: adds the new, pending tasks of no other manager and starts them all.
    void appendTasks(const std::vector<std::shared_ptr<BatchTask>>& tasks);
    // Main thread: cancels every task that is not finished.
    void cancelAllTasks();
    // Main thread: cancels the unfinished tasks at these positions of `tasks`, in ascending order.
    void cancelTasks(const core::IndexSet& indexes);
    // Main thread: removes every cancelled or complete task.
    void removeFinishedTasks();

private:
    friend class BatchTask;

    // The lock a task holds around leaveState, its change of state and enterState.
    core::Mutex& countersMutex() RETURN_CAPABILITY(countersMutex_) { return countersMutex_; }
    // With the counters' lock held: whether a state counts as running (pending or processing).
    static bool isRunning(BatchState state);
    // With the counters' lock held: counts the task in its current state, then tells the delegate.
    void enterState(const BatchTask& task) REQUIRES(countersMutex_);
    // With the counters' lock held: stops counting the task in its current state.
    void leaveState(const BatchTask& task) REQUIRES(countersMutex_);
    int& counter(BatchState state) REQUIRES(countersMutex_);
    // Any thread: tells the delegate, later on the main queue, that a frame has finished.
    void taskDidUpdateProgress();
    template <class Call>
    void tellDelegateLater(Call call);

    std::weak_ptr<BatchManagerDelegate> delegate_;
    std::vector<std::shared_ptr<BatchTask>> tasks_;
    mutable core::Mutex countersMutex_;  // guards the counts and what the changing task left
    Counts counts_ GUARDED_BY(countersMutex_);
    bool leftRunning_ GUARDED_BY(countersMutex_) = false;  // the task changing state was running
};

}  // namespace vistrel
