#include "appkit/event_extensions.h"

namespace kestrane {

namespace {

std::optional<ui::Event> mouseDown(ui::EventType type, const gfx::Point& location,
                                   const std::shared_ptr<ui::Window>& window)
{
    if (!window) return std::nullopt;
    return ui::Event::mouseEvent(type, location, 0, 0, window->windowNumber(), 0, 0);
}

}  // namespace

std::optional<ui::Event> leftMouseDown(const gfx::Point& location, const std::shared_ptr<ui::Window>& window)
{
    return mouseDown(ui::EventType::leftMouseDown, location, window);
}

std::optional<ui::Event> rightMouseDown(const gfx::Point& location, const std::shared_ptr<ui::Window>& window)
{
    return mouseDown(ui::EventType::rightMouseDown, location, window);
}

gfx::Point locationIn(const ui::Event& event, const ui::View& view)
{
    return view.convertPoint(event.locationInWindow, nullptr);
}

}  // namespace kestrane
