#include "moviekit/player.h"

#include "foundation/player_extensions.h"
#include "foundation/time_operators.h"
#include "foundation/time_range_values.h"
#include "moviekit/movie.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/main_loop.h"
#include "platform/core/notification_center.h"

namespace orvalis {

namespace {

media::PlayerRef makePlatformPlayer(const media::AssetRef& asset)
{
    auto player = media::Player::create(media::PlayerItem::create(asset));
    player->setVolume(1.0f);
    return player;
}

}  // namespace

std::shared_ptr<Player> Player::create(const Movie& movie) { return core::make<Player>(movie); }

Player::Player(const Movie& movie)
    : avasset_(movie.avasset()), avplayer_(makePlatformPlayer(avasset_)),
      clipRange_(kestrane::TimeRangeStatics::withDuration(avasset_->duration()))
{
}

void Player::awake()
{
    core::Observable::awake();
    exposeKey(
        "userRate", [this] { return std::any(userRate()); },
        [this](const std::any& v) { setUserRate(std::any_cast<float>(v)); });
    exposeKey(
        "userVolume", [this] { return std::any(userVolume()); },
        [this](const std::any& v) { setUserVolume(std::any_cast<float>(v)); });
    exposeKey(
        "clipRange", [this] { return std::any(clipRange()); },
        [this](const std::any& v) { setClipRange(std::any_cast<media::TimeRange>(v)); });
    exposeKey(
        "observedTime", [this] { return std::any(observedTime()); },
        [this](const std::any& v) { setObservedTime(std::any_cast<media::Time>(v)); });
    observePlayerItem();
}

Player::~Player()
{
    unobservePlayerItem();
    if (timeObserverContext_) avplayer_->removeTimeObserver(timeObserverContext_);
}

// End of playback

void Player::observePlayerItem()
{
    std::weak_ptr<Player> weakSelf = sharedAs<Player>();
    core::NotificationCenter::defaultCenter().addObserver(this, media::PlayerItem::didPlayToEndTimeNotification,
                                                          avplayer_->currentItem().get(),
                                                          [weakSelf](const core::Notification&) {
                                                              // The pause and the return to the start always run on the
                                                              // main thread, in that order.
                                                              const auto onMain = [weakSelf] {
                                                                  if (auto self = weakSelf.lock())
                                                                      self->playerItemDidPlayToEndTime();
                                                              };
                                                              if (core::MainLoop::isMainThread())
                                                                  onMain();
                                                              else
                                                                  core::DispatchQueue::main()->async(onMain);
                                                          });
}

void Player::unobservePlayerItem() { core::NotificationCenter::defaultCenter().removeObserver(this); }

void Player::playerItemDidPlayToEndTime()
{
    avplayer_->pause();
    kestrane::seekAccurately(*avplayer_, media::Time::zero());
}

// State of the platform player

float Player::rate() const { return avplayer_->rate(); }

float Player::volume() const { return avplayer_->volume(); }

media::Time Player::duration() const { return kestrane::duration(*avplayer_).value_or(media::Time::invalid()); }

bool Player::playing() const { return rate() != 0; }

bool Player::isMuted() const { return volume() == 0; }

bool Player::isPaused() const { return rate() == 0; }

media::Time Player::currentTime() const { return avplayer_->currentTime(); }

media::Time Player::currentFrameTime() const { return avplayer_->shownFrameTime(); }

double Player::currentProgress() const
{
    using kestrane::operator/;
    return currentTime() / duration();
}

// User rate and volume

float Player::userRate() const
{
    core::MutexLock lock(mutex_);
    return userRate_;
}

void Player::setUserRate(float rate)
{
    {
        core::MutexLock lock(mutex_);
        userRate_ = rate;
    }
    if (playing()) avplayer_->setRate(rate);
    didChange("userRate");
}

float Player::userVolume() const { return avplayer_->volume(); }

void Player::setUserVolume(float volume)
{
    avplayer_->setVolume(volume);
    didChange("userVolume");
}

// Clip

media::TimeRange Player::clipRange() const
{
    core::MutexLock lock(mutex_);
    return clipRange_;
}

void Player::setClipRange(const media::TimeRange& range)
{
    {
        core::MutexLock lock(mutex_);
        clipRange_ = range;
    }
    didChange("clipRange");
    core::NotificationCenter::defaultCenter().post(MoviePlayerDidChangeClip, shared_from_this());
}

media::Time Player::clipStart() const { return clipRange().start; }

void Player::setClipStart(const media::Time& start)
{
    const media::Time end = clipEnd();
    if (start <= end) setClipRange(media::TimeRange::fromTo(start, end));
}

media::Time Player::clipEnd() const { return clipRange().end(); }

void Player::setClipEnd(const media::Time& end)
{
    const media::Time start = clipStart();
    if (start <= end) setClipRange(media::TimeRange::fromTo(start, end));
}

media::Time Player::clipDuration() const { return clipRange().duration; }

// Playback

void Player::play() { avplayer_->setRate(userRate()); }

void Player::pause() { avplayer_->setRate(0); }

void Player::playPause() { avplayer_->setRate(playing() ? 0 : userRate()); }

void Player::temporaryPause()
{
    {
        core::MutexLock lock(mutex_);
        wasPlaying_ = playing();
    }
    avplayer_->setRate(0);
}

void Player::temporaryPlay()
{
    bool resume = false;
    {
        core::MutexLock lock(mutex_);
        resume = wasPlaying_;
    }
    if (resume) avplayer_->setRate(userRate());
}

// Stepping and seeking

void Player::step(int count) { kestrane::step(*avplayer_, count); }

void Player::seekAccurately(const media::Time& time) { kestrane::seekAccurately(*avplayer_, time); }

void Player::seekInaccurately(const media::Time& time) { kestrane::seekInaccurately(*avplayer_, time); }

void Player::seekPreviousFrame() { kestrane::seekPreviousFrame(*avplayer_); }

void Player::seekNextFrame() { kestrane::seekNextFrame(*avplayer_); }

void Player::seekToStart() { seekAccurately(media::Time::zero()); }

void Player::seekToEnd() { seekAccurately(duration()); }

void Player::seekToClipStart() { seekAccurately(clipStart()); }

void Player::seekToClipEnd() { seekAccurately(clipEnd()); }

std::string Player::description() const { return "<Player " + avasset_->url().path() + ">"; }

}  // namespace orvalis
