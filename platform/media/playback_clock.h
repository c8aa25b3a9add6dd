// The clock a player's timeline follows: a monotonic count of seconds. Players use the system clock unless
// given another; a hand-driven clock lets tests move playback forward without waiting. Safe from any thread.
#pragma once

#include <atomic>
#include <memory>

namespace media {

class PlaybackClock {
public:
    virtual ~PlaybackClock() = default;
    // Seconds since some fixed moment; never decreases.
    virtual double now() const = 0;
};

// The system's monotonic clock.
class SystemPlaybackClock : public PlaybackClock {
public:
    double now() const override;
};

// A clock that stands still until moved by hand.
class ManualPlaybackClock : public PlaybackClock {
public:
    double now() const override { return seconds_.load(); }
    // Moves the clock forward; negative amounts are ignored.
    void advance(double seconds);

private:
    std::atomic<double> seconds_{0};
};

using PlaybackClockRef = std::shared_ptr<PlaybackClock>;

}  // namespace media
