#include "app/batch/batch_manager.h"

#include "app/batch/batch_task.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/main_thread.h"

namespace vistrel {

int BatchManager::runningTasksCount() const
{
    const Counts now = counts();
    return now.pending + now.processing;
}

BatchManager::Counts BatchManager::counts() const
{
    core::MutexLock lock(countersMutex_);
    return counts_;
}

int& BatchManager::counter(BatchState state)
{
    switch (state) {
    case BatchState::pending:
        return counts_.pending;
    case BatchState::processing:
        return counts_.processing;
    case BatchState::stopped:
        return counts_.stopped;
    case BatchState::cancelled:
    case BatchState::complete:
        break;
    }
    return counts_.complete;
}

bool BatchManager::isRunning(BatchState state)
{
    return state == BatchState::pending || state == BatchState::processing;
}

void BatchManager::enterState(const BatchTask& task)
{
    ++counter(task.state());
    if (leftRunning_ && task.state() == BatchState::complete && counts_.pending + counts_.processing == 0)
        ++counts_.naturalEnds;
    tellDelegateLater(
        [](BatchManagerDelegate& delegate, BatchManager& manager) { delegate.batchManagerDidUpdate(manager); });
}

void BatchManager::leaveState(const BatchTask& task)
{
    leftRunning_ = isRunning(task.state());
    --counter(task.state());
}

void BatchManager::taskDidUpdateProgress()
{
    tellDelegateLater(
        [](BatchManagerDelegate& delegate, BatchManager& manager) { delegate.batchManagerDidUpdateProgress(manager); });
}

template <class Call>
void BatchManager::tellDelegateLater(Call call)
{
    // The manager and its delegate are looked up when the call runs; either may be gone by then.
    core::DispatchQueue::main()->async([weakSelf = weak_from_this(), call] {
        auto self = weakSelf.lock();
        if (!self) return;
        if (auto delegate = self->delegate()) call(*delegate, *self);
    });
}

void BatchManager::appendTasks(const std::vector<std::shared_ptr<BatchTask>>& tasks)
{
    core::assertMainThread();
    tasks_.insert(tasks_.end(), tasks.begin(), tasks.end());
    {
        core::MutexLock lock(countersMutex_);
        counts_.pending += int(tasks.size());
    }
    if (auto delegate = this->delegate()) delegate->batchManagerDidAppendTasks(*this);
    for (const auto& task : tasks) {
        task->setManager(weak_from_this());
        task->start();
    }
}

void BatchManager::cancelAllTasks()
{
    core::assertMainThread();
    for (const auto& task : tasks_)
        task->cancel();
}

void BatchManager::cancelTasks(const core::IndexSet& indexes)
{
    core::assertMainThread();
    for (const auto index : indexes)
        if (index >= 0 && std::size_t(index) < tasks_.size()) tasks_[std::size_t(index)]->cancel();
}

void BatchManager::removeFinishedTasks()
{
    core::assertMainThread();
    {
        core::MutexLock lock(countersMutex_);
        for (auto i = tasks_.size(); i-- > 0;) {
            if (!tasks_[i]->isFinished()) continue;
            tasks_.erase(tasks_.begin() + std::ptrdiff_t(i));
            --counts_.complete;
        }
    }
    if (auto delegate = this->delegate()) delegate->batchManagerDidRemoveTasks(*this);
}

}  // namespace vistrel
