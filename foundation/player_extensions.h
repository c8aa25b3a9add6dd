// Playback control on the platform player: its item's duration, play/pause, accurate and quick seeks, frame
// steps and the periodic time observer at a number of reports per second. Callable from any thread, as the
// player is.
#pragma once

#include "platform/media/player.h"
#include "platform/media/time.h"

#include <functional>
#include <optional>

namespace kestrane {

// The current item's duration; nullopt without an item.
std::optional<media::Time> duration(const media::Player& player);
bool isPlaying(const media::Player& player);
// Pauses a player whose rate is not 0, else plays it.
void playPause(media::Player& player);
// Seeks with both tolerances zero: to exactly that time.
void seekAccurately(media::Player& player, const media::Time& time);
// Seeks with both tolerances positive infinity: to the nearest frame that is quick to reach.
void seekInaccurately(media::Player& player, const media::Time& time);
// The current item steps by `count` frames (backwards when negative); nothing without an item.
void step(media::Player& player, int count);
void seekPreviousFrame(media::Player& player);
void seekNextFrame(media::Player& player);
// A periodic time observer every 1/fps s on the main queue; fps below 1 counts as 1.
media::TimeObserverToken addTimeObserver(media::Player& player, int fps,
                                         std::function<void(const media::Time&)> block);
// The same at 25 reports per second.
media::TimeObserverToken addTimeObserver(media::Player& player, std::function<void(const media::Time&)> block);

}  // namespace kestrane
