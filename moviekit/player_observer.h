// How the movie interface follows a Player without polling: an observer says which kinds of change it wants
// (PlayerObserverOptions) and is called back once when it registers and after every such change, with the
// player first. All of it runs on the main thread for the interface's own changes.
#pragma once

#include "platform/core/object.h"
#include "platform/media/time.h"
#include "platform/media/time_range.h"

#include <concepts>
#include <memory>

namespace orvalis {

class Player;

// An option set over its integer raw value.
struct PlayerObserverOptions {
    int rawValue = 0;

    constexpr PlayerObserverOptions() = default;
    constexpr explicit PlayerObserverOptions(int rawValue) : rawValue(rawValue) {}

    constexpr bool contains(PlayerObserverOptions member) const
    {
        return member.rawValue != 0 && (rawValue & member.rawValue) == member.rawValue;
    }
    friend constexpr PlayerObserverOptions operator|(PlayerObserverOptions a, PlayerObserverOptions b)
    {
        return PlayerObserverOptions(a.rawValue | b.rawValue);
    }
    friend constexpr bool operator==(PlayerObserverOptions, PlayerObserverOptions) = default;

    static const PlayerObserverOptions none;
    // The player's observed time, reported 25 times a second while playing and after every jump.
    static const PlayerObserverOptions time;
    // The platform player's rate.
    static const PlayerObserverOptions rate;
    static const PlayerObserverOptions userRate;
    // The platform player's volume.
    static const PlayerObserverOptions userVolume;
    static const PlayerObserverOptions clipRange;
};

inline constexpr PlayerObserverOptions PlayerObserverOptions::none{0};
inline constexpr PlayerObserverOptions PlayerObserverOptions::time{1};
inline constexpr PlayerObserverOptions PlayerObserverOptions::rate{2};
inline constexpr PlayerObserverOptions PlayerObserverOptions::userRate{4};
inline constexpr PlayerObserverOptions PlayerObserverOptions::userVolume{8};
inline constexpr PlayerObserverOptions PlayerObserverOptions::clipRange{16};

// Adopted by classes that are also core::Objects (every interface class is): the player files its
// registrations under that object's identity. An observer implements the callback of every option it returns;
// the others are never called.
class PlayerObserver {
public:
    virtual ~PlayerObserver() = default;

    // The raw value of the options wanted; asked when the observer is added, removed and triggered.
    virtual int observerOptions(const Player& player) = 0;

    virtual void playerTimeDidChange(Player& /*player*/, const media::Time& /*time*/) {}
    virtual void playerRateDidChange(Player& /*player*/, float /*rate*/) {}
    virtual void playerUserRateDidChange(Player& /*player*/, float /*userRate*/) {}
    virtual void playerUserVolumeDidChange(Player& /*player*/, float /*userVolume*/) {}
    virtual void playerClipRangeDidChange(Player& /*player*/, const media::TimeRange& /*clipRange*/) {}
};

// What a player registers under: an observer that is also a core::Object. Only such objects convert to it, so
// passing an observer without an identity does not compile. Made from the object itself (an observer removes
// itself while it is being destroyed) or from a shared pointer to it.
class PlayerObserverRef {
public:
    template <class T>
    requires std::derived_from<T, PlayerObserver> && std::derived_from<T, core::Object> PlayerObserverRef(T& observer)
        : observer_(&observer), identity_(&observer)
    {
    }

    template <class T>
    requires std::derived_from<T, PlayerObserver> && std::derived_from<T, core::Object>
    PlayerObserverRef(const std::shared_ptr<T>& observer) : PlayerObserverRef(*observer)
    {
    }

    PlayerObserver& observer() const { return *observer_; }
    const core::Object* identity() const { return identity_; }
    // The observer as its owners share it; empty when no shared pointer owns it (yet, or any more).
    std::weak_ptr<PlayerObserver> weak() const
    {
        auto owner = std::const_pointer_cast<core::Object>(identity_->weak_from_this().lock());
        if (!owner) return {};
        return std::shared_ptr<PlayerObserver>(owner, observer_);
    }

private:
    PlayerObserver* observer_;
    const core::Object* identity_;
};

}  // namespace orvalis
