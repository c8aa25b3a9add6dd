// Synthetic mouse presses at a point of a window, and an event's location in a view's space. Main thread only.
#pragma once

#include <memory>
#include <optional>

#include "platform/ui/event.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"

namespace kestrane {

// A left (right) mouse-down at `location` in the window's content area: no modifiers, timestamp 0, click count
// 0, pressure 0, the window's number. Nullopt without a window.
std::optional<ui::Event> leftMouseDown(const gfx::Point& location, const std::shared_ptr<ui::Window>& window);
std::optional<ui::Event> rightMouseDown(const gfx::Point& location, const std::shared_ptr<ui::Window>& window);

// The event's location in the window, converted into `view`'s space.
gfx::Point locationIn(const ui::Event& event, const ui::View& view);

}  // namespace kestrane
