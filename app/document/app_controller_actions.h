// The actions the application's controller performs: the program's menus and the drop window send them.
// Main thread only, as every action.
#pragma once

#include "platform/ui/action.h"

namespace vistrel::actions {

inline constexpr ui::ActionName openDocument{"openDocument:"};
inline constexpr ui::ActionName showBatchWindow{"showBatchWindow:"};
inline constexpr ui::ActionName showWelcomeWindow{"showWelcomeWindow:"};
inline constexpr ui::ActionName showPreferencesWindow{"showPreferencesWindow:"};
inline constexpr ui::ActionName showAppStore{"showAppStore:"};
inline constexpr ui::ActionName showWebsite{"showWebsite:"};
inline constexpr ui::ActionName askForHelp{"askForHelp:"};
inline constexpr ui::ActionName toggleDropWindowIfNeeded{"toggleDropWindowIfNeeded"};

}  // namespace vistrel::actions
