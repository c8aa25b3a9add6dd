// The platform's window levels by name, for windows that must stay above or below others. Main thread only.
#pragma once

namespace kestrane::Window {

int baseWindowLevel();
int minimumWindowLevel();
int backstopMenuWindowLevel();
int normalWindowLevel();
int floatingWindowLevel();
int tornOffMenuWindowLevel();
int dockWindowLevel();
int mainMenuWindowLevel();
int statusWindowLevel();
int modalPanelWindowLevel();
int popUpMenuWindowLevel();
int draggingWindowLevel();
int screenSaverWindowLevel();
int overlayWindowLevel();
int helpWindowLevel();
int utilityWindowLevel();
// The level of desktop icons, just above the desktop itself.
int desktopWindowLevel();
int cursorWindowLevel();

}  // namespace kestrane::Window
