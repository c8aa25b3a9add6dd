// The platform's window levels by key (base 0, minimum 1, desktop 2, backstop menu 3, normal 4, floating 5,
// torn-off menu 6, dock 7, main menu 8, status 9, modal panel 10, pop-up menu 11, dragging 12, screen saver
// 13, maximum 14, overlay 15, help 16, utility 17, desktop icon 18, cursor 19, assistive technology 20).
// A window whose level is above the normal one stays on top.
#pragma once

namespace ui {

// The level of a key; the normal level (0) for an unknown key.
int windowLevelForKey(int key);

}  // namespace ui
