// What a window asks of and tells its delegate. Main thread only.
#pragma once

namespace ui {

class Window;

class WindowDelegate {
public:
    virtual ~WindowDelegate() = default;
    // Asked when the user closes the window; false keeps it open.
    virtual bool windowShouldClose(Window& window) { return true; }
    virtual void windowWillClose(Window& window) {}
    virtual void windowDidResize(Window& window) {}
    virtual void windowDidMove(Window& window) {}
    virtual void windowDidBecomeKey(Window& window) {}
};

}  // namespace ui
