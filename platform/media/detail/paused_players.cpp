#include "platform/media/detail/paused_players.h"

#include <map>
#include <utility>

#include "platform/core/mutex.h"

namespace media::detail {

namespace {

struct Members {
    core::Mutex mutex;  // guards the ids and the closers
    std::uint64_t nextId GUARDED_BY(mutex) = 0;
    std::map<std::uint64_t, std::function<void()>> closers GUARDED_BY(mutex);
};

Members& members()
{
    // Never destroyed: players may still leave while the process ends.
    static auto* all = new Members;
    return *all;
}

}  // namespace

PausedPlayers::Member::Member(std::function<void()> closeIfPaused)
{
    Members& all = members();
    core::MutexLock lock(all.mutex);
    id_ = ++all.nextId;
    all.closers.emplace(id_, std::move(closeIfPaused));
}

PausedPlayers::Member::~Member()
{
    // Waits for an ask in progress, which holds the lock while it calls the members.
    Members& all = members();
    core::MutexLock lock(all.mutex);
    all.closers.erase(id_);
}

void PausedPlayers::closeDecoders()
{
    Members& all = members();
    core::MutexLock lock(all.mutex);
    for (const auto& [id, closeIfPaused] : all.closers)
        closeIfPaused();
}

}  // namespace media::detail
