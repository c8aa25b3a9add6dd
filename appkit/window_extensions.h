// Window construction shorthands and the end of editing in a window. Main thread only.
#pragma once
#include "platform/gfx/rect.h"
#include "platform/ui/visual_effect_view.h"
#include "platform/ui/window.h"
#include <memory>
#include <string>

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

// The content view when it is a backdrop view; null otherwise.
std::shared_ptr<ui::VisualEffectView> visualContentView(const ui::Window& window);
// Moves the subviews of the content view, in order, into `view` and makes it the content view.
void replaceContentView(ui::Window& window, const std::shared_ptr<ui::View>& view);
// Puts the content on a backdrop of that material the size of the window's frame.
void setContentViewAppearance(ui::Window& window, ui::VisualEffectMaterial material);

}  // namespace kestrane
