// What a batch manager tells the object that shows its tasks: appended and removed tasks (at once, on the
// caller's thread), and each finished frame and each change of a task's state (later, on the main queue).
#pragma once

namespace vistrel {

class BatchManager;

class BatchManagerDelegate {
public:
    virtual ~BatchManagerDelegate() = default;

    virtual void batchManagerDidAppendTasks(BatchManager& manager) = 0;
    virtual void batchManagerDidRemoveTasks(BatchManager& manager) = 0;
    virtual void batchManagerDidUpdateProgress(BatchManager& manager) = 0;
    virtual void batchManagerDidUpdate(BatchManager& manager) = 0;
};

}  // namespace vistrel
