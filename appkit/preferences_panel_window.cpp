#include "appkit/preferences_panel_window.h"

#include "foundation/kestrane_kit.h"
#include "platform/ui/event.h"
#include "platform/ui/screen.h"

namespace kestrane {

namespace {
constexpr std::uint16_t escapeKeyCode = 53;
}

PreferencesPanelWindow::PreferencesPanelWindow() : Window(defaultWindowFrame(), defaultWindowSytleMask())
{
    madeByDefault_ = true;
}

void PreferencesPanelWindow::awake()
{
    Window::awake();
    if (!madeByDefault_) return;
    // Restores the frame saved under the name, if any; the controller then sizes and centres the window.
    setFrameAutosaveName(PreferencesPanelWindowFrameAutosaveName);
    setTitle(KestraneKit::local("PreferencesPanelWindow.WindowTitle"));
}

gfx::Rect PreferencesPanelWindow::defaultWindowFrame()
{
    const gfx::Size size{420, 400};
    gfx::Point origin;
    if (auto screen = ui::Screen::main())
        origin = {screen->frame.origin.x + (screen->frame.size.width - size.width) * 0.5,
                  screen->frame.origin.y + (screen->frame.size.height - size.height) * 0.5};
    return {origin, size};
}

unsigned PreferencesPanelWindow::defaultWindowSytleMask()
{
    return ui::StyleMask::titled | ui::StyleMask::closable | ui::StyleMask::miniaturizable;
}

void PreferencesPanelWindow::keyDown(const ui::Event& event)
{
    if (event.keyCode == escapeKeyCode) {
        orderOut(nullptr);
        close();
        return;
    }
    Window::keyDown(event);
}

}  // namespace kestrane
