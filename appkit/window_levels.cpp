#include "appkit/window_levels.h"

#include "platform/ui/window_level.h"

namespace kestrane::Window {

int baseWindowLevel() { return ui::windowLevelForKey(0); }
int minimumWindowLevel() { return ui::windowLevelForKey(1); }
int backstopMenuWindowLevel() { return ui::windowLevelForKey(3); }
int normalWindowLevel() { return ui::windowLevelForKey(4); }
int floatingWindowLevel() { return ui::windowLevelForKey(5); }
int tornOffMenuWindowLevel() { return ui::windowLevelForKey(6); }
int dockWindowLevel() { return ui::windowLevelForKey(7); }
int mainMenuWindowLevel() { return ui::windowLevelForKey(8); }
int statusWindowLevel() { return ui::windowLevelForKey(9); }
int modalPanelWindowLevel() { return ui::windowLevelForKey(10); }
int popUpMenuWindowLevel() { return ui::windowLevelForKey(11); }
int draggingWindowLevel() { return ui::windowLevelForKey(12); }
int screenSaverWindowLevel() { return ui::windowLevelForKey(13); }
int overlayWindowLevel() { return ui::windowLevelForKey(15); }
int helpWindowLevel() { return ui::windowLevelForKey(16); }
int utilityWindowLevel() { return ui::windowLevelForKey(17); }
int desktopWindowLevel() { return ui::windowLevelForKey(18); }
int cursorWindowLevel() { return ui::windowLevelForKey(19); }

}  // namespace kestrane::Window
