// The file names that batch tasks have given their frames and logs, so that no task replaces a file that its
// own launch wrote, or that another task still at work wrote: such a name passes to the next free one
// ("name (0).ext", …), whatever the user chose for names already taken. That choice governs only the files
// that were there before: those of the folder, and those of tasks of other launches that have finished.
// Safe from any thread.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/core/mutex.h"
#include "platform/core/url.h"

namespace vistrel {

class BatchTask;

class BatchNames {
public:
    // The names of the process.
    static BatchNames& shared();

    struct Claim {
        core::Url url;
        // The name was free when claimed: the file is to be written as a new one, never in place of another.
        bool fresh = false;
    };
    // The name a new file of `task` (of the launch `batch`) takes for `url`: the task's own name for it unless
    // a task of the same launch or one still at work gave that already, or something is there and
    // `alternativeForTaken` asks for a free name, and then the next free one of its series. The task's own
    // name is `url` for the first of the launch's tasks that name their files alike (`rank` 0), and
    // "name (rank - 1).ext" for the others, so that each task of a launch gets the same names at every launch
    // whatever order frames finish in. The name is the task's from now on.
    Claim claim(const core::Url& url, std::uint64_t batch, const std::shared_ptr<const BatchTask>& task,
                bool alternativeForTaken, long rank = 0);

private:
    struct Owner {
        std::uint64_t batch = 0;
        std::weak_ptr<const BatchTask> task;
    };
    // With the lock held: whether the name is the work of the launch or of a task still at work.
    bool isOurs(const std::string& path, std::uint64_t batch) const REQUIRES(mutex_);
    // With the lock held: forgets the names of tasks that are gone.
    void forgetGoneTasks() REQUIRES(mutex_);

    core::Mutex mutex_;  // guards the owners and the claims since the last sweep
    std::map<std::string, Owner> owners_ GUARDED_BY(mutex_);
    std::size_t claimsSinceSweep_ GUARDED_BY(mutex_) = 0;
};

}  // namespace vistrel
