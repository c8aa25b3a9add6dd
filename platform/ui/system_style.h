// The desktop's interface sizes and colours.
#pragma once

#include "platform/gfx/color.h"
#include "platform/ui/control.h"

namespace ui {

// Points of the system font for a control size: 13 regular, 11 small, 9 mini.
double systemFontSize(ControlSize size);

namespace SystemColor {
// The colour that marks keyboard focus (the palette's highlight). Main thread only.
gfx::Color focusIndicator();
// The colour of ordinary text in lists and fields (the palette's text): black in a light theme. Main thread only.
gfx::Color text();
}  // namespace SystemColor

}  // namespace ui
