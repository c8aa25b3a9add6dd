#include "foundation/player_extensions.h"

#include <algorithm>

namespace kestrane {

namespace {

constexpr int defaultFps = 25;

}  // namespace

std::optional<media::Time> duration(const media::Player& player)
{
    const auto& item = player.currentItem();
    if (!item) return std::nullopt;
    return item->duration();
}

bool isPlaying(const media::Player& player) { return player.rate() != 0; }

void playPause(media::Player& player)
{
    if (isPlaying(player))
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

void step(media::Player& player, int count)
{
    if (const auto& item = player.currentItem()) item->step(count);
}

void seekPreviousFrame(media::Player& player) { step(player, -1); }

void seekNextFrame(media::Player& player) { step(player, 1); }

media::TimeObserverToken addTimeObserver(media::Player& player, int fps, std::function<void(const media::Time&)> block)
{
    return player.addPeriodicTimeObserver(media::Time::make(1, std::max(fps, 1)), nullptr, std::move(block));
}

media::TimeObserverToken addTimeObserver(media::Player& player, std::function<void(const media::Time&)> block)
{
    return addTimeObserver(player, defaultFps, std::move(block));
}

}  // namespace kestrane
