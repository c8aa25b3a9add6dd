// Window construction shorthands and the end of editing in a window. Main thread only.
#pragma once
#include <memory>
#include <string>
#include "platform/gfx/rect.h"
#include "platform/ui/window.h"

namespace kestrane {

// A window made with the platform's initialiser: buffered and not deferred.
template <class W = ui::Window>
std::shared_ptr<W> makeWindow(const gfx::Rect& contentRect, unsigned styleMask)
{
    return core::make<W>(contentRect, styleMask);
}

// A titled, resizable, closable, miniaturizable window of that content size, placed at the middle of the
// main screen's size (the screen's own origin is not added); at (0, 0) without a screen.
std::shared_ptr<ui::Window> makeWindow(const std::string& title, const gfx::Size& size);

// Makes the window first responder and gives the first responder back its place; false when the editor
// refused to give up (editing did not end).
bool endEditing(ui::Window& window);

// Ends any field editing in the window, whatever the field says.
void forceEndEditing(ui::Window& window);

}  // namespace kestrane
