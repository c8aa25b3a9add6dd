// The movie a player plays: its asset with the item's view of the timeline. Stepping and the current time go
// to the player that plays the item. Safe from any thread.
#pragma once

#include "platform/core/mutex.h"
#include "platform/core/object.h"
#include "platform/media/asset.h"
#include "platform/media/time.h"

#include <memory>
#include <string>

namespace media {

class Player;

class PlayerItem : public core::Object {
public:
    // Posted on the main thread, with the item as object, once its player has stopped at the item's end.
    static inline const std::string didPlayToEndTimeNotification = "AVPlayerItemDidPlayToEndTimeNotification";

    static std::shared_ptr<PlayerItem> create(std::shared_ptr<const Asset> asset);
    explicit PlayerItem(std::shared_ptr<const Asset> asset) : asset_(std::move(asset)) {}

    const std::shared_ptr<const Asset>& asset() const { return asset_; }
    // The asset's duration.
    Time duration() const;
    // Pauses the player that plays the item and moves it `count` frames (backwards when negative), stopping at
    // the first and the last frame; nothing when no player plays the item.
    void step(int count);
    // The player's current time; zero when no player plays the item.
    Time currentTime() const;

    std::string description() const override;

private:
    friend class Player;
    void setPlayer(const std::shared_ptr<Player>& player);
    std::shared_ptr<Player> player() const;

    const std::shared_ptr<const Asset> asset_;
    mutable core::Mutex mutex_;  // guards the player
    std::weak_ptr<Player> player_ GUARDED_BY(mutex_);
};

using PlayerItemRef = std::shared_ptr<PlayerItem>;

}  // namespace media
