// Plays a player item: a decode thread keeps a queue of pictures ahead of a clock, the main thread shows them
// as they fall due and plays the sound (when an audio device exists). Rate 0 is paused; positive rates scale
// the clock, with the sound at its own pitch from 0.5 to 2 and muted outside; negative rates are kept but do
// not play backwards. Without an audio device, and by default, the clock is the system clock; tests hand it
// a clock they move themselves.
//
// An observable object with the keys "rate" and "volume" (float): every setting notifies on the setting thread,
// also one that leaves the value unchanged. Callable from any thread; seek completions, the frame handler and
// the end of playback (the rate becomes 0, then the item posts its end notification) run on the main thread;
// time observers run on their queue.
#pragma once

#include "platform/core/dispatch_queue.h"
#include "platform/core/observable.h"
#include "platform/gfx/image.h"
#include "platform/media/playback_clock.h"
#include "platform/media/player_item.h"
#include "platform/media/time.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace media {

// Names a time observer for its removal.
struct TimeObserverToken {
    std::uint64_t id = 0;
    explicit operator bool() const { return id != 0; }
    friend bool operator==(const TimeObserverToken&, const TimeObserverToken&) = default;
};

class Player : public core::Observable {
public:
    using SeekCompletion = std::function<void(bool finished)>;
    using FrameHandler = std::function<void(const gfx::ImageRef&)>;

    static std::shared_ptr<Player> create(std::shared_ptr<PlayerItem> item);
    explicit Player(std::shared_ptr<PlayerItem> item);
    ~Player() override;
    void awake() override;

    const std::shared_ptr<PlayerItem>& currentItem() const;

    float rate() const;
    void setRate(float rate);
    // Rate 1.
    void play();
    // Rate 0.
    void pause();
    float volume() const;
    void setVolume(float volume);

    // Playing: the clock's position on the timeline. Paused: the time of the last seek or step, or the time of
    // the frame on screen when playback stopped, so that the frame at currentTime() is the picture shown. At the
    // end it is the last frame's own time (Asset::lastFrameTime()), not the movie's duration.
    Time currentTime() const;
    // The presentation time of the picture on screen, so that what a clock or a snap names is what is seen;
    // currentTime() while a seek or step is under way or before the first picture.
    Time shownFrameTime() const;

    // Moves to `time` (clamped to the item): with zero tolerances to exactly that time, showing the frame that
    // holds it; with an infinite tolerance before, to the key frame at or before it; else to the first frame
    // within [time − before, time + after]. A time at or past the last frame that decodes (the duration, or past
    // the data of a movie cut short) lands on that frame, at its own time. The completion runs on the main queue:
    // true once there, false when a newer seek or step took over, the time is not a time or no frame decodes there.
    void seek(const Time& time, const Time& toleranceBefore, const Time& toleranceAfter, SeekCompletion done = {});
    // Pauses, then moves `count` frames from the frame on screen (backwards when negative), stopping at the
    // first and the last frame; steps asked before the last lands add up to one move.
    void step(int count);
    // Main thread: runs `work` now when no seek or step is under way; else on the main queue once the moves
    // issued before it have landed (or failed), so that what it reads of the player is where they took it.
    // Steps asked while work waits go after it, in their order; the work of a player that goes away never runs.
    void whenSettled(std::function<void()> work);

    // `function` hears the time every `interval` of playback, and once after each seek, step, start and stop.
    // A null queue is the main queue.
    TimeObserverToken addPeriodicTimeObserver(const Time& interval, std::shared_ptr<core::DispatchQueue> queue,
                                              std::function<void(const Time&)> function);
    // `function` runs when playback crosses one of the times.
    TimeObserverToken addBoundaryTimeObserver(const std::vector<Time>& times,
                                              std::shared_ptr<core::DispatchQueue> queue,
                                              std::function<void()> function);
    // No report reaches the observer afterwards (one already running on another thread may finish).
    void removeTimeObserver(const TimeObserverToken& token);

    // The picture on screen; null before the first frame has decoded and for items without video.
    gfx::ImageRef currentVideoFrame() const;
    // The picture on screen when it is the frame at `time`, as an accurate grab at that time would give it
    // (at display size, unturned): while paused with no seek or step under way and currentTime() equal to
    // `time`. Null otherwise, so that a caller grabs the frame itself.
    gfx::ImageRef videoFrameShownAt(const Time& time) const;
    // Called on the main thread with every new picture on screen.
    void setFrameHandler(FrameHandler handler);

    // The clock playback follows; the system clock unless replaced. Playing goes on from where it stands.
    void setClock(PlaybackClockRef clock);

    std::string description() const override;

private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
};

using PlayerRef = std::shared_ptr<Player>;

}  // namespace media
