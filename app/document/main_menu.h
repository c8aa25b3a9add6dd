// The program's menus, shown in the menu bar of every window: File, Edit, View, Window and Help with the
// usual shortcuts, their items sending their commands along the responder chain. Main thread only.
#pragma once

#include <memory>

#include "platform/ui/menu.h"

namespace vistrel {

// Its Window menu becomes the application's windows menu, which lists the windows on screen.
std::shared_ptr<ui::Menu> makeMainMenu();
// The snaps strip's context menu: copy, export and remove the selection, select or deselect all.
std::shared_ptr<ui::Menu> makeSnapsMenu();
// The image formats PNG, JPEG and TIFF, each item sending `action` with the format's raw value as its tag.
std::shared_ptr<ui::Menu> makeImageFormatMenu(const ui::Action& action);

}  // namespace vistrel
