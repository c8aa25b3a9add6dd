// The actions of the GIF export sheet's controller, sent by the sheet's buttons. Main thread only, as every
// action.
#pragma once

#include "platform/ui/action.h"

namespace vistrel::actions {

inline constexpr ui::ActionName showPreviousFrame{"showPreviousFrame:"};
inline constexpr ui::ActionName showNextFrame{"showNextFrame:"};
inline constexpr ui::ActionName moveUpItem{"moveUpItem:"};
inline constexpr ui::ActionName moveDownItem{"moveDownItem:"};
inline constexpr ui::ActionName deleteItem{"deleteItem:"};
inline constexpr ui::ActionName cancelExportation{"cancelExportation:"};
inline constexpr ui::ActionName validateExportation{"validateExportation:"};

}  // namespace vistrel::actions
