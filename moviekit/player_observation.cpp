// How a Player registers its observers: one change observation per option wanted, filed with the shared
// dispatcher under the observer's identity, and the periodic time observer that runs while any observer wants
// time.
#include "moviekit/player.h"

#include "foundation/kvo_dispatcher.h"
#include "foundation/player_extensions.h"
#include "platform/core/mutex.h"

#include <functional>
#include <stdexcept>

namespace orvalis {

namespace {

// Reports per second of playback to the observers of time.
constexpr int timeReportsPerSecond = 25;

using Callback = std::function<void(Player&, PlayerObserver&)>;

// One option: the key observed, on the player itself or on its platform player, and what the observer is
// told.
struct Observation {
    PlayerObserverOptions option;
    const char* keyPath;
    bool onPlatformPlayer;
    Callback callback;
};

// The player's private observed time, through its exposed key.
media::Time observedTimeOf(const Player& player)
{
    return std::any_cast<media::Time>(player.valueForKey("observedTime"));
}

// What an observation watches: the platform player, or the player itself.
std::shared_ptr<core::Observable> observedBy(Player& player, const Observation& observation)
{
    if (observation.onPlatformPlayer) return player.avplayer();
    return player.sharedAs<Player>();
}

// In the order the callbacks run at registration.
const std::vector<Observation>& observations()
{
    static const std::vector<Observation> list = {
        {PlayerObserverOptions::time, "observedTime", false,
         [](Player& p, PlayerObserver& o) { o.playerTimeDidChange(p, observedTimeOf(p)); }},
        {PlayerObserverOptions::rate, "rate", true,
         [](Player& p, PlayerObserver& o) { o.playerRateDidChange(p, p.rate()); }},
        {PlayerObserverOptions::userRate, "userRate", false,
         [](Player& p, PlayerObserver& o) { o.playerUserRateDidChange(p, p.userRate()); }},
        {PlayerObserverOptions::userVolume, "volume", true,
         [](Player& p, PlayerObserver& o) { o.playerUserVolumeDidChange(p, p.volume()); }},
        {PlayerObserverOptions::clipRange, "clipRange", false,
         [](Player& p, PlayerObserver& o) { o.playerClipRangeDidChange(p, p.clipRange()); }},
    };
    return list;
}

}  // namespace

media::Time Player::observedTime() const
{
    core::MutexLock lock(mutex_);
    return observedTime_;
}

void Player::setObservedTime(const media::Time& time)
{
    {
        core::MutexLock lock(mutex_);
        observedTime_ = time;
    }
    didChange("observedTime");
}

void Player::updateTimeObserver()
{
    core::MutexLock lock(mutex_);
    if (timeObserverContext_ && timeObserverCount_ < 1) {
        const auto token = timeObserverContext_;
        timeObserverContext_ = {};
        lock.unlock();
        avplayer_->removeTimeObserver(token);
    } else if (!timeObserverContext_ && timeObserverCount_ >= 1) {
        lock.unlock();
        setObservedTime(currentTime());
        std::weak_ptr<Player> weakSelf = sharedAs<Player>();
        const auto token =
            kestrane::addTimeObserver(*avplayer_, timeReportsPerSecond, [weakSelf](const media::Time& t) {
                if (auto self = weakSelf.lock()) self->setObservedTime(t);
            });
        lock.lock();
        timeObserverContext_ = token;
    }
}

void Player::addObserver(const PlayerObserverRef& observer)
{
    std::weak_ptr<PlayerObserver> weakObserver = observer.weak();
    if (weakObserver.expired())
        throw std::logic_error("Player::addObserver: the observer is not owned by a shared pointer");
    const core::Object* identity = observer.identity();
    const PlayerObserverOptions options(observer.observer().observerOptions(*this));
    std::weak_ptr<Player> weakSelf = sharedAs<Player>();
    for (const Observation& observation : observations()) {
        if (!options.contains(observation.option)) continue;
        if (observation.option == PlayerObserverOptions::time) {
            {
                core::MutexLock lock(mutex_);
                ++timeObserverCount_;
            }
            updateTimeObserver();
        }
        kestrane::KVO().addObserver(
            identity, observedBy(*this, observation), observation.keyPath,
            [weakSelf, weakObserver, callback = observation.callback](const core::KeyValueChange&) {
                auto self = weakSelf.lock();
                auto target = weakObserver.lock();
                if (self && target) callback(*self, *target);
            });
    }
}

void Player::removeObserver(const PlayerObserverRef& observer)
{
    const core::Object* identity = observer.identity();
    const PlayerObserverOptions options(observer.observer().observerOptions(*this));
    for (const Observation& observation : observations()) {
        if (!options.contains(observation.option)) continue;
        if (observation.option == PlayerObserverOptions::time) {
            {
                // Never below zero, so that a stray removal cannot keep later time observers from hearing.
                core::MutexLock lock(mutex_);
                if (timeObserverCount_ > 0) --timeObserverCount_;
            }
            updateTimeObserver();
        }
        kestrane::KVO().removeObserver(identity, observedBy(*this, observation), observation.keyPath);
    }
}

void Player::triggerObserver(const PlayerObserverRef& observer)
{
    const PlayerObserverOptions options(observer.observer().observerOptions(*this));
    for (const Observation& observation : observations()) {
        if (!options.contains(observation.option)) continue;
        if (observation.onPlatformPlayer)
            avplayer()->didChange(observation.keyPath);
        else
            didChange(observation.keyPath);
    }
}

}  // namespace orvalis
