// A player's decode thread and its queue of decoded frames. The thread carries out one positioning command at a
// time (a newer command replaces one that has not started), then decodes ahead of the frame it landed on until
// the queue is full, and then, while the user steps back, the frames before those its source keeps (given up as
// soon as a command comes or playback takes a frame); the presentation side takes frames off the queue as they
// fall due. Safe from any thread.
#pragma once

#include "platform/core/condition_variable.h"
#include "platform/media/detail/playback_frame_source.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace media::detail {

class PlaybackDecoder {
public:
    // What a command ended with: the frame it landed on, or none when no frame decodes there.
    struct Landing {
        std::uint64_t command = 0;
        std::optional<PlaybackFrame> frame;
    };
    // Called on the decode thread, once per command carried out (not for replaced ones).
    using LandingHandler = std::function<void(Landing)>;

    PlaybackDecoder(std::unique_ptr<PlaybackFrameSource> source, LandingHandler landed);
    ~PlaybackDecoder();
    PlaybackDecoder(const PlaybackDecoder&) = delete;
    PlaybackDecoder& operator=(const PlaybackDecoder&) = delete;

    void seek(std::uint64_t command, const Time& t, const Time& before, const Time& after);
    // Moves `count` frames from the frame at `from` (a pts, else a time on the timeline).
    void step(std::uint64_t command, std::optional<std::int64_t> fromPts, const Time& fromTime, int count);
    // How many frames to decode ahead.
    void setQueueLength(std::size_t length);
    // Asks the decode thread to close the source's decoders once it has nothing left to do, giving back the
    // pictures they hold (the frames queued and kept stay). A command or a new queue length first withdraws the
    // request: the player is in use again.
    void closeDecodersWhenIdle();

    // The last queued frame whose time is at or before `time`, taken off the queue with the ones before it;
    // nullopt when none is due yet.
    std::optional<PlaybackFrame> takeDue(const Time& time);
    // The time of the next queued frame, if one is queued.
    std::optional<Time> nextFrameTime() const;
    // The stream has no more frames to give: its end (or a break) was reached and the queue is empty.
    bool exhausted() const;

private:
    struct Command {
        std::uint64_t id = 0;
        bool isStep = false;
        Time time;
        Time before;
        Time after;
        std::optional<std::int64_t> fromPts;
        int count = 0;
    };

    void run();
    void carryOut(const Command& command);
    void issue(Command command);

    std::unique_ptr<PlaybackFrameSource> source_;  // decode thread only
    const LandingHandler landed_;

    mutable core::Mutex mutex_;  // guards the command, the queue and the flags below
    core::ConditionVariable wake_;
    std::optional<Command> pending_ GUARDED_BY(mutex_);
    std::deque<PlaybackFrame> queue_ GUARDED_BY(mutex_);
    std::size_t queueLength_ GUARDED_BY(mutex_) = 3;
    bool ended_ GUARDED_BY(mutex_) = false;
    bool takenSinceLanding_ GUARDED_BY(mutex_) =
        false;  // playback took a frame off the queue since the last command landed
    bool closeWhenIdle_ GUARDED_BY(mutex_) = false;
    bool stopping_ GUARDED_BY(mutex_) = false;
    std::thread thread_;
};

}  // namespace media::detail
