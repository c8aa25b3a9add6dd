#include "foundation/player_extensions.h"

#include <algorithm>

namespace kestrane {

std::optional<media::Time> duration(const media::Player& player)
{
    if (!player.currentItem()) return std::nullopt;
    return player.currentItem()->duration();
}

bool isPlaying(const media::Player& player) { return player.rate() != 0; }

void playPause(media::Player& player)
{
    if (player.rate() != 0)
        player.pause();
    else
        player.play();
}

void seekAccurately(media::Player& player, const media::Time& time)
{
    player.seek(time, media::Time::zero(), media::Time::zero());
}

void seekInaccurately(media::Player& player, const media::Time& time)
{
    player.seek(time, media::Time::positiveInfinity(), media::Time::positiveInfinity());
}

void step(media::Player& player, int byCount)
{
    if (player.currentItem()) player.currentItem()->step(byCount);
}

void seekPreviousFrame(media::Player& player) { step(player, -1); }

void seekNextFrame(media::Player& player) { step(player, 1); }

media::TimeObserverToken addTimeObserver(media::Player& player, std::int64_t fps,
                                         std::function<void(const media::Time&)> block)
{
    std::int64_t timescale = std::min<std::int64_t>(fps, media::Time::maxTimescale);
    return player.addPeriodicTimeObserver(media::Time::make(1, std::int32_t(std::max<std::int64_t>(timescale, 0))),
                                          nullptr, std::move(block));
}

media::TimeObserverToken addTimeObserver(media::Player& player, std::function<void(const media::Time&)> block)
{
    return addTimeObserver(player, 25, std::move(block));
}

}  // namespace kestrane
