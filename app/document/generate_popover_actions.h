// The actions of the generate popover's controller, sent by the popover's controls. Main thread only, as every
// action.
#pragma once

#include "platform/ui/action.h"

namespace vistrel::actions {

inline constexpr ui::ActionName changeStart{"changeStart:"};
inline constexpr ui::ActionName changeEnd{"changeEnd:"};
inline constexpr ui::ActionName changeIncludeStart{"changeIncludeStart:"};
inline constexpr ui::ActionName changeIncludeEnd{"changeIncludeEnd:"};
inline constexpr ui::ActionName changeFrames{"changeFrames:"};
inline constexpr ui::ActionName resetTimes{"resetTimes:"};
inline constexpr ui::ActionName generateSnaps{"generateSnaps:"};

}  // namespace vistrel::actions
