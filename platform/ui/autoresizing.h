// The frame an autoresizing mask gives a child when its parent's size changes: the change is shared among
// the flexible margins and sides in proportion to their sizes (equally when those are all zero).
#pragma once

#include "platform/gfx/rect.h"

namespace ui {

gfx::Rect autoresizedFrame(const gfx::Rect& frame, const gfx::Size& oldParentSize, const gfx::Size& newParentSize,
                           unsigned mask);

}  // namespace ui
