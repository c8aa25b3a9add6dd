#include "platform/media/detail/player_time_observers.h"

#include <atomic>
#include <cmath>

namespace media::detail {

struct PlayerTimeObservers::Entry {
    std::uint64_t id = 0;
    std::shared_ptr<core::DispatchQueue> queue;
    double interval = 0;      // periodic: seconds; 0 reports on jumps only
    double nextReport = 0;    // periodic: the timeline second of the next report while playing
    std::vector<Time> times;  // boundary
    Periodic periodic;
    Boundary boundary;
    std::atomic<bool> alive{true};
};

namespace {

// The first multiple of the interval after `seconds`.
double multipleAfter(double seconds, double interval)
{
    if (!(interval > 0) || !std::isfinite(seconds)) return INFINITY;
    return (std::floor(seconds / interval) + 1) * interval;
}

}  // namespace

std::uint64_t PlayerTimeObservers::addPeriodic(const Time& interval, std::shared_ptr<core::DispatchQueue> queue,
                                               Periodic function)
{
    auto entry = std::make_shared<Entry>();
    entry->queue = queue ? std::move(queue) : core::DispatchQueue::main();
    double seconds = interval.isNumeric() ? interval.seconds() : 0;
    entry->interval = seconds > 0 && std::isfinite(seconds) ? seconds : 0;
    entry->nextReport = -INFINITY;  // while playing, reports from the next moment on
    entry->periodic = std::move(function);
    core::MutexLock lock(mutex_);
    entry->id = ++lastId_;
    entries_.push_back(entry);
    return entry->id;
}

std::uint64_t PlayerTimeObservers::addBoundary(const std::vector<Time>& times,
                                               std::shared_ptr<core::DispatchQueue> queue, Boundary function)
{
    auto entry = std::make_shared<Entry>();
    entry->queue = queue ? std::move(queue) : core::DispatchQueue::main();
    for (const Time& t : times)
        if (t.isNumeric()) entry->times.push_back(t);
    entry->boundary = std::move(function);
    core::MutexLock lock(mutex_);
    entry->id = ++lastId_;
    entries_.push_back(entry);
    return entry->id;
}

bool PlayerTimeObservers::remove(std::uint64_t id)
{
    core::MutexLock lock(mutex_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if ((*it)->id == id) {
            (*it)->alive = false;
            entries_.erase(it);
            return true;
        }
    return false;
}

void PlayerTimeObservers::dispatch(const std::shared_ptr<Entry>& entry, const Time& time)
{
    entry->queue->async([entry, time] {
        if (!entry->alive) return;
        if (entry->periodic)
            entry->periodic(time);
        else if (entry->boundary)
            entry->boundary();
    });
}

void PlayerTimeObservers::reportJump(const Time& time)
{
    core::MutexLock lock(mutex_);
    for (const auto& entry : entries_)
        if (entry->periodic) {
            entry->nextReport = multipleAfter(time.seconds(), entry->interval);
            dispatch(entry, time);
        }
}

void PlayerTimeObservers::reportProgress(const Time& from, const Time& to)
{
    core::MutexLock lock(mutex_);
    double now = to.seconds();
    for (const auto& entry : entries_) {
        if (entry->periodic) {
            if (now >= entry->nextReport) {
                entry->nextReport = multipleAfter(now, entry->interval);
                dispatch(entry, to);
            }
            continue;
        }
        for (const Time& t : entry->times)
            if (compare(from, t) < 0 && compare(t, to) <= 0) {
                dispatch(entry, t);
                break;
            }
    }
}

std::optional<double> PlayerTimeObservers::nextReport(const Time& time) const
{
    core::MutexLock lock(mutex_);
    std::optional<double> next;
    auto consider = [&next](double t) {
        if (std::isfinite(t) && (!next || t < *next)) next = t;
    };
    for (const auto& entry : entries_) {
        if (entry->periodic) consider(entry->nextReport);
        for (const Time& t : entry->times)
            if (compare(t, time) > 0) consider(t.seconds());
    }
    return next;
}

}  // namespace media::detail
