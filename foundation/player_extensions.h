// Playback control on a player: play/pause toggling, accurate and quick seeks, frame stepping, and time
// observers reported a fixed number of times per second on the main queue. Callable from any thread, like the
// player.
#pragma once

#include "platform/media/player.h"
#include "platform/media/time.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace kestrane {

// The current item's duration; nullopt when the player has no item.
std::optional<media::Time> duration(const media::Player& player);
// The rate is not 0.
bool isPlaying(const media::Player& player);
// Pauses a player whose rate is not 0, else plays it.
void playPause(media::Player& player);
// Seeks with zero tolerances: to exactly that time.
void seekAccurately(media::Player& player, const media::Time& time);
// Seeks with infinite tolerances: to the nearest frame that is quick to reach.
void seekInaccurately(media::Player& player, const media::Time& time);
// Steps the current item by that many frames (backwards when negative); nothing without an item.
void step(media::Player& player, int byCount);
void seekPreviousFrame(media::Player& player);
void seekNextFrame(media::Player& player);
// Reports the time `fps` times per second of playback (an interval of 1/fps s), and on every jump, start and
// stop, on the main queue. An fps beyond the range of a timescale reports as often as a time can say; an fps
// of 0 or less reports on jumps, starts and stops only.
media::TimeObserverToken addTimeObserver(media::Player& player, std::int64_t fps,
                                         std::function<void(const media::Time&)> block);
// The same at 25 reports per second.
media::TimeObserverToken addTimeObserver(media::Player& player, std::function<void(const media::Time&)> block);

}  // namespace kestrane
