#include "platform/media/player_item.h"

#include "platform/media/player.h"

namespace media {

std::shared_ptr<PlayerItem> PlayerItem::create(std::shared_ptr<const Asset> asset)
{
    return core::make<PlayerItem>(std::move(asset));
}

Time PlayerItem::duration() const { return asset_ ? asset_->duration() : Time::invalid(); }

void PlayerItem::step(int count)
{
    if (auto playing = player()) playing->step(count);
}

Time PlayerItem::currentTime() const
{
    auto playing = player();
    return playing ? playing->currentTime() : Time::zero();
}

std::string PlayerItem::description() const
{
    return "PlayerItem(" + (asset_ ? asset_->description() : std::string("no asset")) + ")";
}

void PlayerItem::setPlayer(const std::shared_ptr<Player>& player)
{
    core::MutexLock lock(mutex_);
    player_ = player;
}

std::shared_ptr<Player> PlayerItem::player() const
{
    core::MutexLock lock(mutex_);
    return player_.lock();
}

}  // namespace media
