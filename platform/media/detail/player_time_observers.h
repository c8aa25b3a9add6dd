// The time observers of a player: periodic ones, told the time every interval of playback and whenever the
// time jumps or playback starts or stops, and boundary ones, told when playback crosses one of their times.
// Each observer runs on its own queue; none runs once removed. Safe from any thread.
#pragma once

#include "platform/core/dispatch_queue.h"
#include "platform/core/mutex.h"
#include "platform/media/time.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace media::detail {

class PlayerTimeObservers {
public:
    using Periodic = std::function<void(const Time&)>;
    using Boundary = std::function<void()>;

    // Ids are never 0. A null queue means the main queue.
    std::uint64_t addPeriodic(const Time& interval, std::shared_ptr<core::DispatchQueue> queue, Periodic function);
    std::uint64_t addBoundary(const std::vector<Time>& times, std::shared_ptr<core::DispatchQueue> queue,
                              Boundary function);
    // False for an unknown id. Reports already on their way are dropped.
    bool remove(std::uint64_t id);

    // The time jumped (a seek or a step) or playback started or stopped: every periodic observer hears `time`.
    void reportJump(const Time& time);
    // Playback moved from `from` to `to`: periodic observers whose next report is due hear `to`, boundary
    // observers with a time in (from, to] are told.
    void reportProgress(const Time& from, const Time& to);
    // The earliest report due after `time` while playing, in seconds of the timeline.
    std::optional<double> nextReport(const Time& time) const;

private:
    struct Entry;

    static void dispatch(const std::shared_ptr<Entry>& entry, const Time& time);

    mutable core::Mutex mutex_;  // guards the entries and the last id
    std::vector<std::shared_ptr<Entry>> entries_ GUARDED_BY(mutex_);
    std::uint64_t lastId_ GUARDED_BY(mutex_) = 0;
};

}  // namespace media::detail
