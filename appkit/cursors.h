// The framework's own pointers for moving, duplicating, resizing and rotating things on screen, each made
// once from the framework's picture of the same name, on first use. A missing picture gives the arrow.
// Creation is safe from any thread; use the cursors on the main thread.
#pragma once

#include <memory>

#include "numerics/rect_anchor.h"
#include "platform/ui/cursor.h"

namespace kestrane {

// Hot spot (2, 0).
std::shared_ptr<ui::Cursor> MoveCursor();
// Hot spot (2, 0).
std::shared_ptr<ui::Cursor> DuplicateCursor();

namespace Cursor {
// The resize pointer along the axis through the handle (hot spot (10, 8)); opposite handles share one.
std::shared_ptr<ui::Cursor> resizeCursor(RectAnchor anchor);
// The rotate pointer drawn for the handle (hot spot (9, 9)).
std::shared_ptr<ui::Cursor> rotateCursor(RectAnchor anchor);
}  // namespace Cursor

}  // namespace kestrane
