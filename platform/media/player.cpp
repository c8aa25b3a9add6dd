#include "platform/media/player.h"

#include "platform/core/main_loop.h"
#include "platform/core/main_thread.h"
#include "platform/core/mutex.h"
#include "platform/core/notification_center.h"
#include "platform/media/detail/paused_players.h"
#include "platform/media/detail/playback_audio_output.h"
#include "platform/media/detail/playback_decoder.h"
#include "platform/media/detail/player_time_observers.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <deque>
#include <optional>

namespace media {

namespace {

// Frames decoded ahead while playing and while paused.
constexpr std::size_t playingQueueLength = 8;
constexpr std::size_t pausedQueueLength = 3;
// The longest wait between two looks at the clock while playing.
constexpr double longestTick = 0.010;
constexpr double shortestTick = 0.001;
// How far the sound may wander from the clock, in seconds, before it starts again at the clock's time.
constexpr double soundDrift = 0.2;

bool advances(float rate) { return rate > 0; }

bool isZero(const Time& t) { return t.isNumeric() && compare(t, Time::zero()) == 0; }

void onMain(std::function<void()> work) { core::DispatchQueue::main()->async(std::move(work)); }

}  // namespace

struct Player::Engine {
    Engine(Player& owner, std::shared_ptr<PlayerItem> item) : owner(owner), item(std::move(item)) {}

    // A seek or step under way.
    struct Move {
        std::uint64_t id = 0;
        bool exact = false;
        SeekCompletion done;
        // A step: where it started and how far it goes, so that steps issued before it lands add up.
        bool isStep = false;
        std::optional<std::int64_t> fromPts;
        Time fromTime;
        int count = 0;
    };

    Player& owner;
    const std::shared_ptr<PlayerItem> item;
    std::weak_ptr<Player> self;
    detail::PlayerTimeObservers observers;
    Time end = Time::invalid();      // the item's duration, when it has one
    bool playable = false;           // the item's movie plays (its pictures or its sound decode)
    double frameSeconds = 1.0 / 30;  // a nominal frame duration

    mutable core::Mutex mutex;  // guards the clock, the timeline and the picture shown, down to audioCue
    PlaybackClockRef clock GUARDED_BY(mutex) = std::make_shared<SystemPlaybackClock>();
    float rate GUARDED_BY(mutex) = 0;
    float volume GUARDED_BY(mutex) = 1;
    Time position GUARDED_BY(mutex) = Time::zero();    // the time while paused or moving
    Time anchorTime GUARDED_BY(mutex) = Time::zero();  // while playing: the timeline time at anchorClock
    double anchorClock GUARDED_BY(mutex) = 0;
    Time lastReported GUARDED_BY(mutex) = Time::zero();
    std::optional<Move> move GUARDED_BY(mutex);
    // Main thread's work waiting for the moves under way to land, in the order it came: snaps, and the steps
    // asked after them, which start from where the moves before them landed.
    std::deque<std::function<void()>> settledWork GUARDED_BY(mutex);
    bool runningSettledWork GUARDED_BY(mutex) = false;  // a piece of it runs now: the moves it asks for start at once
    std::uint64_t lastMove GUARDED_BY(mutex) = 0;
    std::optional<detail::PlaybackFrame> shown GUARDED_BY(mutex);
    bool shownAtPosition GUARDED_BY(mutex) = false;  // while paused: the picture shown is the frame at `position`
    FrameHandler frameHandler GUARDED_BY(mutex);
    bool tickScheduled GUARDED_BY(mutex) = false;
    bool systemClock GUARDED_BY(mutex) = true;
    std::uint64_t audioCue GUARDED_BY(mutex) = 0;  // moves whenever the sound must start again from the current time

    // Main thread only: the sound, opened on first play with the system clock.
    std::unique_ptr<detail::PlaybackAudioOutput> audio;
    bool audioOpened = false;
    std::uint64_t audioCueHeard = 0;
    std::optional<detail::PausedPlayers::Member> pausedMember;  // while there is a decoder
    std::unique_ptr<detail::PlaybackDecoder> decoder;           // last: its thread stops first

    // Asked by a job about to decode on decoders of its own, on its thread: a player at rest gives back the
    // memory of its decoders. Under the mutex, so that a play or a move starting meanwhile withdraws the request.
    void closeDecodersIfPaused()
    {
        core::MutexLock lock(mutex);
        if (decoder && !advances(rate) && !move) decoder->closeDecodersWhenIdle();
    }

    Time clampToItem(Time t) const
    {
        if (compare(t, Time::zero()) < 0) t = Time::zero();
        if (end.isNumeric() && compare(t, end) > 0) t = end;
        return t;
    }

    // Callers hold the mutex.
    Time playingTime() const REQUIRES(mutex)
    {
        double elapsed = std::max(0.0, clock->now() - anchorClock) * rate;
        if (elapsed == 0) return anchorTime;
        return clampToItem(add(anchorTime, Time::withSeconds(elapsed, 1000000000)));
    }
    Time timeNow() const REQUIRES(mutex) { return !move && advances(rate) ? playingTime() : position; }
    void anchor(const Time& t) REQUIRES(mutex)
    {
        anchorTime = t;
        anchorClock = clock->now();
        lastReported = t;
    }

    // Takes over from a seek under way, whose completion hears false. Callers hold the mutex.
    std::uint64_t beginMove(bool exact, SeekCompletion done) REQUIRES(mutex)
    {
        if (move && move->done) onMain([done = std::move(move->done)] { done(false); });
        move = Move{};
        move->id = ++lastMove;
        move->exact = exact;
        move->done = std::move(done);
        return move->id;
    }

    // Tells the frame handler on the main thread of the picture on screen by then.
    void showOnMain()
    {
        onMain([weak = self] {
            if (auto player = weak.lock()) player->engine_->deliverFrame(player->currentVideoFrame());
        });
    }
    void deliverFrame(const gfx::ImageRef& image)
    {
        FrameHandler handler;
        {
            core::MutexLock lock(mutex);
            handler = frameHandler;
        }
        if (handler && image) handler(image);
    }

    // Decode thread.
    void landed(detail::PlaybackDecoder::Landing landing)
    {
        SeekCompletion done;
        bool settles;
        Time now;
        bool playing;
        {
            core::MutexLock lock(mutex);
            if (!move || move->id != landing.command) return;
            done = std::move(move->done);
            settles = !settledWork.empty();
            if (landing.frame) {
                // At the end the time is the last frame's own, not the movie's duration.
                if (!move->exact || landing.frame->last) position = landing.frame->time;
                shown = landing.frame;
            }
            shownAtPosition = landing.frame.has_value();
            move.reset();
            now = position;
            playing = advances(rate);
            if (playing) {
                anchor(position);
                ++audioCue;
            }
        }
        observers.reportJump(now);
        if (landing.frame) showOnMain();
        if (done) onMain([done = std::move(done), ok = landing.frame.has_value()] { done(ok); });
        if (settles)
            onMain([weak = self] {
                if (auto player = weak.lock()) player->engine_->runSettledWork();
            });
        if (playing) scheduleTick(0);
    }

    // Main thread: the waiting work in its order, until a piece of it starts a move, which the rest waits for.
    void runSettledWork()
    {
        for (;;) {
            std::function<void()> work;
            {
                core::MutexLock lock(mutex);
                if (move || settledWork.empty()) return;
                work = std::move(settledWork.front());
                settledWork.pop_front();
                runningSettledWork = true;
            }
            work();
            core::MutexLock lock(mutex);
            runningSettledWork = false;
        }
    }

    // A move asked while work waits for the moves before it: it goes after that work, and true. Callers
    // hold the mutex.
    bool waitsForSettledWork(std::function<void()> again) REQUIRES(mutex)
    {
        if (settledWork.empty() || runningSettledWork) return false;
        settledWork.push_back(std::move(again));
        return true;
    }

    void scheduleTick(double seconds)
    {
        {
            core::MutexLock lock(mutex);
            // Without an item nothing plays and nothing ends.
            if (tickScheduled || !item) return;
            tickScheduled = true;
        }
        core::DispatchQueue::main()->asyncAfter(seconds, [weak = self] {
            if (auto player = weak.lock()) player->engine_->tick();
        });
    }

    // Main thread: starts the sound again when the position or the rate changed, and keeps the device fed.
    void serveSound(std::uint64_t cue, const Time& now, float speed, bool withSound)
    {
        core::assertMainThread();
        if (!withSound) {
            silence();
            return;
        }
        if (!audioOpened && item && item->asset()) {
            audioOpened = true;
            audio = detail::PlaybackAudioOutput::open(*item->asset());
            if (audio) audio->setVolume(owner.volume());
        }
        if (!audio) return;
        // The sound follows the clock: it starts again where the clock is when the two drift apart.
        std::optional<Time> heard = audio->position();
        bool drifted = heard && std::abs(heard->seconds() - now.seconds()) > soundDrift;
        if (cue != audioCueHeard || drifted) {
            audioCueHeard = cue;
            audio->start(now, speed);
        }
        audio->feed();
    }
    void silence()
    {
        core::assertMainThread();
        if (audio) audio->stop();
        audioCueHeard = 0;
    }
    void silenceOnMain()
    {
        onMain([weak = self] {
            if (auto player = weak.lock()) player->engine_->silence();
        });
    }

    bool reachedEnd(const Time& now) const REQUIRES(mutex)
    {
        if (!decoder) return !end.isNumeric() || compare(now, end) >= 0;
        // A frame's duration after the last frame that decodes: a movie cut short ends there, before its duration.
        if (decoder->exhausted() && shown && now.seconds() - shown->time.seconds() >= frameSeconds) return true;
        if (end.isNumeric()) {
            if (compare(now, end) < 0) return false;
            std::optional<Time> next = decoder->nextFrameTime();
            return decoder->exhausted() || (next && compare(*next, end) > 0);
        }
        return decoder->exhausted() && !shown;
    }

    // Main thread: shows the frame that fell due, tells the observers, stops at the end.
    void tick()
    {
        core::assertMainThread();
        std::optional<detail::PlaybackFrame> frame;
        Time from, now;
        bool ended = false;
        double wait = longestTick;
        float speed;
        bool withSound;
        bool moving;
        bool again;
        std::uint64_t cue;
        {
            core::MutexLock lock(mutex);
            tickScheduled = false;
            if (!advances(rate)) return;
            speed = rate;
            withSound = systemClock;
            cue = audioCue;
            moving = move.has_value();
            if (moving) {
                tickScheduled = true;
            } else {
                from = lastReported;
                now = playingTime();
                if (decoder) frame = decoder->takeDue(now);
                if (frame) shown = frame;
                ended = reachedEnd(now);
                if (ended) {
                    rate = 0;
                    // The time of the last frame, on screen.
                    position = shown ? shown->time : end.isNumeric() ? end : now;
                    shownAtPosition = shown.has_value();
                    now = position;
                    if (decoder) decoder->setQueueLength(pausedQueueLength);
                } else {
                    lastReported = now;
                    std::optional<Time> next = decoder ? decoder->nextFrameTime() : std::nullopt;
                    if (next) wait = (next->seconds() - now.seconds()) / rate;
                    if (auto report = observers.nextReport(now))
                        wait = std::min(wait, (*report - now.seconds()) / rate);
                    wait = std::clamp(wait, shortestTick, longestTick);
                    tickScheduled = true;
                }
            }
            again = tickScheduled;
        }
        if (again) {
            core::DispatchQueue::main()->asyncAfter(wait, [weak = self] {
                if (auto player = weak.lock()) player->engine_->tick();
            });
        }
        if (frame) deliverFrame(frame->image);
        if (ended)
            silence();
        else if (!moving)
            serveSound(cue, now, speed, withSound);
        if (ended) {
            owner.didChange("rate");
            observers.reportJump(now);
            core::NotificationCenter::defaultCenter().post(PlayerItem::didPlayToEndTimeNotification, item);
            return;
        }
        if (!moving) observers.reportProgress(from, now);
    }
};

std::shared_ptr<Player> Player::create(std::shared_ptr<PlayerItem> item) { return core::make<Player>(std::move(item)); }

Player::Player(std::shared_ptr<PlayerItem> item) : engine_(std::make_unique<Engine>(*this, std::move(item))) {}

Player::~Player()
{
    engine_->pausedMember.reset();
    engine_->decoder.reset();
    // The sound device belongs to the main thread.
    if (engine_->audio && !core::MainLoop::isMainThread())
        onMain([audio = std::shared_ptr<detail::PlaybackAudioOutput>(std::move(engine_->audio))] {});
}

void Player::awake()
{
    Observable::awake();
    auto self = sharedAs<Player>();
    engine_->self = self;
    exposeKey(
        "rate", [this] { return std::any(rate()); },
        [this](const std::any& value) { setRate(std::any_cast<float>(value)); });
    exposeKey(
        "volume", [this] { return std::any(volume()); },
        [this](const std::any& value) { setVolume(std::any_cast<float>(value)); });

    const std::shared_ptr<PlayerItem>& item = engine_->item;
    if (!item || !item->asset()) return;
    item->setPlayer(self);
    const Asset& asset = *item->asset();
    engine_->end = asset.duration().isNumeric() ? asset.duration() : Time::invalid();
    engine_->playable = asset.isPlayable();
    if (const TrackRef track = asset.videoTrack(); track && track->nominalFrameRate() > 0)
        engine_->frameSeconds = 1.0 / track->nominalFrameRate();
    if (auto source = detail::PlaybackFrameSource::open(asset)) {
        Engine* engine = engine_.get();
        engine_->decoder = std::make_unique<detail::PlaybackDecoder>(
            std::move(source),
            [engine](detail::PlaybackDecoder::Landing landing) { engine->landed(std::move(landing)); });
        engine_->pausedMember.emplace([engine] { engine->closeDecodersIfPaused(); });
        // The first picture is on screen from the start.
        core::MutexLock lock(engine_->mutex);
        engine_->decoder->seek(engine_->beginMove(true, {}), Time::zero(), Time::zero(), Time::zero());
    }
}

const std::shared_ptr<PlayerItem>& Player::currentItem() const { return engine_->item; }

float Player::rate() const
{
    core::MutexLock lock(engine_->mutex);
    return engine_->rate;
}

void Player::setRate(float rate)
{
    Engine& e = *engine_;
    bool startsOrStops;
    bool playing = advances(rate);
    {
        core::MutexLock lock(e.mutex);
        bool wasPlaying = advances(e.rate);
        startsOrStops = wasPlaying != playing;
        if (wasPlaying && !playing && !e.move) {
            e.position = e.shown ? e.shown->time : e.playingTime();
            e.shownAtPosition = e.shown.has_value();
        } else if (!wasPlaying && playing && !e.move)
            e.anchor(e.position);
        else if (wasPlaying && playing && !e.move)
            e.anchor(e.playingTime());
        e.rate = std::isnan(rate) ? 0 : rate;
        if (playing) ++e.audioCue;
        if (e.decoder) e.decoder->setQueueLength(playing ? playingQueueLength : pausedQueueLength);
    }
    didChange("rate");
    if (startsOrStops && !playing) e.silenceOnMain();
    if (startsOrStops) e.observers.reportJump(currentTime());
    if (playing) e.scheduleTick(0);
}

void Player::play() { setRate(1); }

void Player::pause() { setRate(0); }

float Player::volume() const
{
    core::MutexLock lock(engine_->mutex);
    return engine_->volume;
}

void Player::setVolume(float volume)
{
    {
        core::MutexLock lock(engine_->mutex);
        engine_->volume = volume;
    }
    didChange("volume");
    onMain([weak = engine_->self] {
        if (auto player = weak.lock())
            if (player->engine_->audio) player->engine_->audio->setVolume(player->volume());
    });
}

Time Player::currentTime() const
{
    core::MutexLock lock(engine_->mutex);
    return engine_->timeNow();
}

Time Player::shownFrameTime() const
{
    core::MutexLock lock(engine_->mutex);
    return engine_->shown && !engine_->move ? engine_->shown->time : engine_->timeNow();
}

void Player::seek(const Time& time, const Time& toleranceBefore, const Time& toleranceAfter, SeekCompletion done)
{
    Engine& e = *engine_;
    // A movie that does not decode has no time to go to (decoder and playable are set once, when made).
    if (!time.isNumeric() || (!e.decoder && !e.playable)) {
        if (done) onMain([done = std::move(done)] { done(false); });
        return;
    }
    bool exact = isZero(toleranceBefore) && isZero(toleranceAfter);
    Time target;
    {
        core::MutexLock lock(e.mutex);
        if (e.waitsForSettledWork([weak = e.self, time, toleranceBefore, toleranceAfter, done]() mutable {
                if (auto player = weak.lock()) player->seek(time, toleranceBefore, toleranceAfter, std::move(done));
            }))
            return;
        target = e.clampToItem(time);
        e.position = target;
        e.shownAtPosition = false;
        if (e.decoder) {
            e.decoder->seek(e.beginMove(exact, std::move(done)), target, toleranceBefore, toleranceAfter);
            return;
        }
        // Without pictures the time moves at once.
        if (advances(e.rate)) {
            e.anchor(target);
            ++e.audioCue;
        }
    }
    e.observers.reportJump(target);
    if (done) onMain([done = std::move(done)] { done(true); });
}

void Player::step(int count)
{
    if (rate() != 0) setRate(0);
    Engine& e = *engine_;
    core::MutexLock lock(e.mutex);
    if (!e.decoder || e.waitsForSettledWork([weak = e.self, count] {
            if (auto player = weak.lock()) player->step(count);
        }))
        return;
    Engine::Move step;
    step.isStep = true;
    step.count = count;
    step.fromTime = e.position;
    if (e.move && e.move->isStep) {
        step.fromPts = e.move->fromPts;
        step.fromTime = e.move->fromTime;
        step.count = int(std::clamp<long long>(0LL + count + e.move->count, INT_MIN, INT_MAX));
    } else if (e.shown && !e.move) {
        step.fromPts = e.shown->pts;
    }
    e.beginMove(false, {});
    step.id = e.move->id;
    e.move = step;
    e.decoder->step(step.id, step.fromPts, step.fromTime, step.count);
}

void Player::whenSettled(std::function<void()> work)
{
    core::assertMainThread();
    {
        core::MutexLock lock(engine_->mutex);
        if (engine_->move || (!engine_->settledWork.empty() && !engine_->runningSettledWork)) {
            engine_->settledWork.push_back(std::move(work));
            return;
        }
    }
    work();
}

TimeObserverToken Player::addPeriodicTimeObserver(const Time& interval, std::shared_ptr<core::DispatchQueue> queue,
                                                  std::function<void(const Time&)> function)
{
    return {engine_->observers.addPeriodic(interval, std::move(queue), std::move(function))};
}

TimeObserverToken Player::addBoundaryTimeObserver(const std::vector<Time>& times,
                                                  std::shared_ptr<core::DispatchQueue> queue,
                                                  std::function<void()> function)
{
    return {engine_->observers.addBoundary(times, std::move(queue), std::move(function))};
}

void Player::removeTimeObserver(const TimeObserverToken& token) { engine_->observers.remove(token.id); }

gfx::ImageRef Player::currentVideoFrame() const
{
    core::MutexLock lock(engine_->mutex);
    return engine_->shown ? engine_->shown->image : nullptr;
}

gfx::ImageRef Player::videoFrameShownAt(const Time& time) const
{
    const Engine& e = *engine_;
    core::MutexLock lock(e.mutex);
    if (advances(e.rate) || e.move || !e.shown || !e.shownAtPosition || compare(e.position, time) != 0) return nullptr;
    return e.shown->image;
}

void Player::setFrameHandler(FrameHandler handler)
{
    core::MutexLock lock(engine_->mutex);
    engine_->frameHandler = std::move(handler);
}

void Player::setClock(PlaybackClockRef clock)
{
    if (!clock) return;
    core::MutexLock lock(engine_->mutex);
    Time now = engine_->timeNow();
    engine_->systemClock = dynamic_cast<SystemPlaybackClock*>(clock.get()) != nullptr;
    ++engine_->audioCue;
    engine_->clock = std::move(clock);
    if (advances(engine_->rate) && !engine_->move) engine_->anchor(now);
}

std::string Player::description() const
{
    return "Player(" + (engine_->item ? engine_->item->description() : std::string("no item")) + ")";
}

}  // namespace media
