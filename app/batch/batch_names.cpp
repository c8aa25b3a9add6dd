#include "app/batch/batch_names.h"

#include <algorithm>

#include "app/batch/batch_task.h"
#include "foundation/file_manager_extensions.h"
#include "foundation/shortcuts.h"

namespace vistrel {

namespace {

// Claims between two sweeps of the names of tasks that are gone.
constexpr std::size_t claimsPerSweep = 4096;

}  // namespace

BatchNames& BatchNames::shared()
{
    // Never destroyed: workers of tasks may still claim names while the process ends.
    static auto* names = new BatchNames;
    return *names;
}

bool BatchNames::isOurs(const std::string& path, std::uint64_t batch) const
{
    const auto found = owners_.find(path);
    if (found == owners_.end()) return false;
    if (found->second.batch == batch) return true;
    const auto task = found->second.task.lock();
    return task && !task->isFinished();
}

void BatchNames::forgetGoneTasks()
{
    std::erase_if(owners_, [](const auto& entry) { return entry.second.task.expired(); });
    claimsSinceSweep_ = 0;
}

BatchNames::Claim BatchNames::claim(const core::Url& url, std::uint64_t batch,
                                    const std::shared_ptr<const BatchTask>& task, bool alternativeForTaken, long rank)
{
    core::MutexLock lock(mutex_);
    if (++claimsSinceSweep_ >= claimsPerSweep) forgetGoneTasks();
    const long own = std::max(rank, 0L) - 1;
    Claim claim{kestrane::numberedName(url, own), false};
    const bool taken = alternativeForTaken && kestrane::contentExists(*kestrane::FM.get(), claim.url).exist;
    if (taken || isOurs(claim.url.path(), batch)) {
        // Past the files there and every name given, so that no two frames meet on one.
        claim.url = kestrane::alternative(
            *kestrane::FM.get(), url,
            [&](const core::Url& candidate) REQUIRES(mutex_) { return isOurs(candidate.path(), batch); }, own + 1);
        claim.fresh = true;
    }
    owners_[claim.url.path()] = Owner{batch, task};
    return claim;
}

}  // namespace vistrel
