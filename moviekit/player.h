// The player of one Movie: the platform player with what the movie interface and the application add on top,
// a user rate that survives pauses, a user volume, a clip range (in and out points), frame stepping, accurate
// and quick seeks, a temporary pause for drags, observers (PlayerObserver), and the return to the start once
// the movie has played to its end. Holds the movie's asset, never the movie.
//
// Observable under "userRate", "userVolume", "clipRange" and "observedTime"; its platform player under "rate"
// and "volume". Used on the main thread by the interface; also callable from other threads (the batch window
// prepares players of movies it loads on a queue), whose changes are then announced on those threads.
#pragma once

#include "moviekit/player_observer.h"
#include "platform/core/mutex.h"
#include "platform/core/observable.h"
#include "platform/media/asset.h"
#include "platform/media/player.h"
#include "platform/media/time.h"
#include "platform/media/time_range.h"

#include <memory>
#include <string>

namespace orvalis {

class Movie;

// Posted on the default notification centre after every assignment of a player's clip range, also one that
// leaves it as it was; object: the player; no user info.
inline const std::string MoviePlayerDidChangeClip = "MoviePlayerDidChangeClipNotification";

class Player : public core::Observable {
public:
    // The movie's player; Movie::player() makes the one each movie has.
    static std::shared_ptr<Player> create(const Movie& movie);
    // The platform player plays a new item of the movie's asset at volume 1; the clip is the whole movie.
    explicit Player(const Movie& movie);
    // Registers for the end of playback and exposes the observable keys.
    void awake() override;
    // Removes the end-of-playback registration and the periodic time observer.
    ~Player() override;

    const media::AssetRef& avasset() const { return avasset_; }
    const media::PlayerRef& avplayer() const { return avplayer_; }

    float rate() const;
    float volume() const;
    // The item's duration.
    media::Time duration() const;
    bool playing() const;
    bool isMuted() const;
    bool isPaused() const;

    // The rate playback starts at; changed while playing, it applies at once, before observers hear of it.
    float userRate() const;
    void setUserRate(float rate);
    // The platform player's volume.
    float userVolume() const;
    void setUserVolume(float volume);

    media::TimeRange clipRange() const;
    // Announces "clipRange", then posts MoviePlayerDidChangeClip.
    void setClipRange(const media::TimeRange& range);
    media::Time clipStart() const;
    // Ignored (nothing announced, nothing posted) when the new start lies after the clip's end.
    void setClipStart(const media::Time& start);
    media::Time clipEnd() const;
    // Ignored when the new end lies before the clip's start.
    void setClipEnd(const media::Time& end);
    media::Time clipDuration() const;

    // Plays at userRate.
    void play();
    void pause();
    void playPause();
    media::Time currentTime() const;
    // The time of the frame on screen (the platform player's shownFrameTime()): what a snap and the clock name.
    media::Time currentFrameTime() const;
    // currentTime() over duration(), as a ratio of the two times; not a finite number without a duration.
    double currentProgress() const;
    // Pauses, then moves `count` frames (backwards when negative).
    void step(int count);
    void seekAccurately(const media::Time& time);
    void seekInaccurately(const media::Time& time);
    void seekPreviousFrame();
    void seekNextFrame();
    void seekToStart();
    void seekToEnd();
    void seekToClipStart();
    void seekToClipEnd();
    // Resumes at userRate when the last temporaryPause() found the player playing (also a second time).
    void temporaryPlay();
    // Remembers whether the player was playing, then pauses it.
    void temporaryPause();

    // The change observations of single keys stay reachable next to the player's own observers.
    using core::Observable::addObserver;
    using core::Observable::removeObserver;

    // Registers the observer, held weakly, for the options it returns now; each callback runs once before
    // this returns (time, rate, user rate, user volume, clip range) and then after every change. Observers
    // that ask for time keep the periodic time observer running, 25 reports per second of playback. Throws
    // std::logic_error for an observer that no shared pointer owns: it could never be called.
    void addObserver(const PlayerObserverRef& observer);
    // Undoes addObserver; the observer must return the same options as then. Also from its destructor.
    void removeObserver(const PlayerObserverRef& observer);
    // Runs the callbacks of the observer's options now with the current values; every observer of those
    // changes is called, not only this one.
    void triggerObserver(const PlayerObserverRef& observer);

    std::string description() const override;

private:
    void observePlayerItem();
    void unobservePlayerItem();
    void playerItemDidPlayToEndTime();

    media::Time observedTime() const;
    void setObservedTime(const media::Time& time);
    // Starts the periodic time observer while observers want time, stops it when none does.
    void updateTimeObserver();

    const media::AssetRef avasset_;
    const media::PlayerRef avplayer_;
    mutable core::Mutex mutex_;  // guards the rate, the clip, the observed time and the time observer
    float userRate_ GUARDED_BY(mutex_) = 1.0f;
    media::TimeRange clipRange_ GUARDED_BY(mutex_);
    bool wasPlaying_ GUARDED_BY(mutex_) = false;
    media::Time observedTime_ GUARDED_BY(mutex_) = media::Time::zero();
    media::TimeObserverToken timeObserverContext_ GUARDED_BY(mutex_);
    int timeObserverCount_ GUARDED_BY(mutex_) = 0;
};

using PlayerRef = std::shared_ptr<Player>;

}  // namespace orvalis
