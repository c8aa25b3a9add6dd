// The actions a movie's document performs: its window's buttons, its snaps' menu and the program's menus send
// them; Select All is the platform's (ui::actions::selectAll). Main thread only, as every action.
#pragma once

#include "platform/ui/action.h"

namespace vistrel::actions {

inline constexpr ui::ActionName snapImage{"snapImage:"};
// Also the batch window's movie list's.
inline constexpr ui::ActionName deselectAll{"deselectAll:"};
inline constexpr ui::ActionName removeSelection{"removeSelection:"};
inline constexpr ui::ActionName removeAll{"removeAll:"};
inline constexpr ui::ActionName showGeneratorPopover{"showGeneratorPopover:"};
inline constexpr ui::ActionName performSnapsGeneration{"performSnapsGeneration:"};
inline constexpr ui::ActionName exportAsImage{"exportAsImage:"};
inline constexpr ui::ActionName exportAllAsImage{"exportAllAsImage:"};
inline constexpr ui::ActionName exportAllAsGIF{"exportAllAsGIF:"};
inline constexpr ui::ActionName copySelectedItem{"copySelectedItem:"};
inline constexpr ui::ActionName showShareMenu{"showShareMenu:"};
inline constexpr ui::ActionName closeExportErrorsAlert{"closeExportErrorsAlert:"};
inline constexpr ui::ActionName showExportMenu{"showExportMenu:"};

}  // namespace vistrel::actions
