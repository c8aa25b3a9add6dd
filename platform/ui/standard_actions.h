// The actions the platform's own responders perform: the application's, a window's, a table's and the share
// menu's. Main thread only, as every action.
#pragma once

#include "platform/ui/action.h"

namespace ui::actions {

// Application.
inline constexpr ActionName terminate{"terminate:"};
// Window.
inline constexpr ActionName performClose{"performClose:"};
inline constexpr ActionName performMiniaturize{"performMiniaturize:"};
inline constexpr ActionName makeKeyAndOrderFront{"makeKeyAndOrderFront:"};
// TableView, and the responders further along the chain that select their own items.
inline constexpr ActionName selectAll{"selectAll:"};
// SharingServicePicker's menu.
inline constexpr ActionName copyItems{"copyItems:"};
inline constexpr ActionName saveItems{"saveItems:"};
inline constexpr ActionName openItems{"openItems:"};
inline constexpr ActionName emailItems{"emailItems:"};

}  // namespace ui::actions
