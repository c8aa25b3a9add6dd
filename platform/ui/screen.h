// A screen as it was when asked: its frame and visible frame (y-up from the primary screen's bottom left) and
// its backing scale factor (device pixels per point). Screens are read on the main thread; from other threads
// the list the main thread saw last is given. A value type.
#pragma once

#include <optional>
#include <vector>

#include "platform/gfx/rect.h"

namespace ui {

struct Screen {
    gfx::Rect frame;
    gfx::Rect visibleFrame;
    double backingScaleFactor = 1;

    // The primary screen first.
    static std::vector<Screen> screens();
    // The screen of the key window, else the primary screen; nullopt without screens.
    static std::optional<Screen> main();

    friend bool operator==(const Screen&, const Screen&) = default;
};

}  // namespace ui
