// The actions of the movie interface: the movie view controller's commands (the panel's buttons, the movie
// window's keys and the program's menus send them), and those of the rate, volume and edition popovers.
// Main thread only, as every action.
#pragma once

#include "platform/ui/action.h"

namespace orvalis::actions {

// MovieViewController.
inline constexpr ui::ActionName playPause{"playPause:"};
inline constexpr ui::ActionName seekPreviousFrame{"seekPreviousFrame:"};
inline constexpr ui::ActionName seekNextFrame{"seekNextFrame:"};
inline constexpr ui::ActionName seekToStart{"seekToStart:"};
inline constexpr ui::ActionName seekToEnd{"seekToEnd:"};
inline constexpr ui::ActionName seekToClipStart{"seekToClipStart:"};
inline constexpr ui::ActionName seekToClipEnd{"seekToClipEnd:"};
inline constexpr ui::ActionName setClipStart{"setClipStart:"};
inline constexpr ui::ActionName setClipEnd{"setClipEnd:"};
inline constexpr ui::ActionName choosePlaybackRate{"choosePlaybackRate:"};
inline constexpr ui::ActionName toogleVolume{"toogleVolume:"};
inline constexpr ui::ActionName showVolumePopover{"showVolumePopover:"};
inline constexpr ui::ActionName showRatePopover{"showRatePopover:"};
inline constexpr ui::ActionName showEditionPopover{"showEditionPopover:"};
// MovieViewController and EditionPopoverController.
inline constexpr ui::ActionName rotateLeft{"rotateLeft:"};
inline constexpr ui::ActionName rotateRight{"rotateRight:"};
inline constexpr ui::ActionName flipVertically{"flipVertically:"};
inline constexpr ui::ActionName flipHorizontally{"flipHorizontally:"};
// RatePopoverController.
inline constexpr ui::ActionName decreaseRate{"decreaseRate:"};
inline constexpr ui::ActionName increaseRate{"increaseRate:"};
inline constexpr ui::ActionName slideRate{"slideRate:"};
// VolumePopoverController.
inline constexpr ui::ActionName decreaseVolume{"decreaseVolume:"};
inline constexpr ui::ActionName increaseVolume{"increaseVolume:"};
inline constexpr ui::ActionName slideVolume{"slideVolume:"};

}  // namespace orvalis::actions
