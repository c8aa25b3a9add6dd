// A top-level window: a content view filling its content area, a title, a frame on the screen (y-up from the
// primary screen's bottom left), a first responder that gets the keys, sheets shown one after the other, and
// the frame as text. On screen the application holds it; otherwise its owner (a window
// controller) does. Main thread only.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "platform/gfx/image.h"
#include "platform/gfx/rect.h"
#include "platform/ui/modal_response.h"
#include "platform/ui/responder.h"

namespace ui {

class Appearance;
class Toolbar;
class View;
class WindowController;
class WindowDelegate;

namespace StyleMask {
constexpr unsigned borderless = 0;
constexpr unsigned titled = 1;
constexpr unsigned closable = 2;
constexpr unsigned miniaturizable = 4;
constexpr unsigned resizable = 8;
constexpr unsigned fullSizeContentView = 1u << 15;
}  // namespace StyleMask

class Window : public Responder {
public:
    struct Impl;
    using SheetCompletion = std::function<void(ModalResponse)>;
    // Posted with the window as object when it closes.
    static constexpr const char* willCloseNotification = "NSWindowWillCloseNotification";

    // A hidden window whose content area has the rectangle's size and, on the screen, its origin.
    static std::shared_ptr<Window> create(const gfx::Rect& contentRect, unsigned styleMask);

    Window(const gfx::Rect& contentRect, unsigned styleMask);
    ~Window() override;
    // Makes the window and its actions actions::performClose and actions::performMiniaturize.
    void awake() override;

    unsigned styleMask() const;
    std::string title() const;
    void setTitle(const std::string& title);
    int windowNumber() const;

    // Whether the application's menu bar shows at the window's top (main windows); sheets, panels and
    // dialogs go without (the default). The content keeps its size either way.
    bool showsMenuBar() const;
    void setShowsMenuBar(bool shows);

    // The toolbar shows between the menu bar and the content area; the content keeps its size.
    std::shared_ptr<Toolbar> toolbar() const;
    void setToolbar(const std::shared_ptr<Toolbar>& toolbar);

    std::shared_ptr<View> contentView() const;
    void setContentView(const std::shared_ptr<View>& view);
    gfx::Size contentSize() const;
    void setContentSize(const gfx::Size& size);
    gfx::Size contentMinSize() const;
    void setContentMinSize(const gfx::Size& size);
    gfx::Size contentMaxSize() const;
    void setContentMaxSize(const gfx::Size& size);

    // The window's rectangle on the screen, y-up.
    gfx::Rect frame() const;
    void setFrame(const gfx::Rect& frame, bool display, bool animate = false);
    void setFrameOrigin(const gfx::Point& origin);
    // Puts the window a little above the middle of its screen.
    void center();
    // Moves the window so that its frame's top left corner (title bar included, y-up) is at the point.
    void setFrameTopLeftPoint(const gfx::Point& point);
    // A rectangle of the content area (y-up from its bottom left) on the screen.
    gfx::Rect convertRectToScreen(const gfx::Rect& rect) const;
    gfx::Point convertPointToScreen(const gfx::Point& point) const;
    gfx::Point convertPointFromScreen(const gfx::Point& point) const;

    bool isVisible() const;
    bool isKeyWindow() const;
    void makeKeyAndOrderFront(const std::shared_ptr<core::Object>& sender);
    // For the ui layer: the user activated the window (through the window manager, a click or the keyboard),
    // so it becomes the key window, the one whose chain keys and menus act on.
    void windowSystemDidActivate();
    void orderFront(const std::shared_ptr<core::Object>& sender);
    void orderOut(const std::shared_ptr<core::Object>& sender);
    // Closes without asking the delegate; tells it windowWillClose.
    void close();
    // Closes as the close button does: asks the delegate's windowShouldClose first.
    void performClose(const std::shared_ptr<core::Object>& sender);
    // A level above 0 keeps the window above normal windows.
    int level() const;
    void setLevel(int level);
    std::shared_ptr<Appearance> appearance() const;
    void setAppearance(const std::shared_ptr<Appearance>& appearance);
    // Kept for callers; the window manager draws the title bar, so nothing changes on screen.
    bool titlebarAppearsTransparent() const;
    void setTitlebarAppearsTransparent(bool transparent);
    void setMovableByWindowBackground(bool movable);
    bool isMovableByWindowBackground() const;

    // "x y w h sx sy sw sh": the frame and the visible frame of its screen.
    std::string stringWithSavedFrame() const;
    void setFrameFromString(const std::string& text);
    // Restores the frame kept in the user defaults under "NSWindow Frame <name>" and keeps it there from now
    // on; false when another window already uses the name.
    bool setFrameAutosaveName(const std::string& name);
    std::string frameAutosaveName() const;
    // For the ui layer: the window moved or changed size.
    void frameDidChange();

    // Ends the editing of a text field that is first responder (taking what was typed) and makes the window
    // first responder, whatever the field says.
    void endEditingFor(const std::shared_ptr<core::Object>& object);

    // A proxy whose frame changes run inside the current animation context.
    class Animator {
    public:
        explicit Animator(std::weak_ptr<Window> window) : window_(std::move(window)) {}
        void setFrame(const gfx::Rect& frame, bool display);

    private:
        std::weak_ptr<Window> window_;
    };
    Animator animator() { return Animator(sharedAs<Window>()); }

    std::shared_ptr<Responder> firstResponder() const;
    // Asks the current first responder to resign and `responder` to accept; null makes the window itself first.
    bool makeFirstResponder(const std::shared_ptr<Responder>& responder);

    std::shared_ptr<WindowDelegate> delegate() const;
    void setDelegate(const std::shared_ptr<WindowDelegate>& delegate);
    std::shared_ptr<WindowController> windowController() const;
    void setWindowController(const std::shared_ptr<WindowController>& controller);

    // Shows `sheet` over this window, modal to it; a sheet begun while another is shown waits for it.
    // `completion` runs after the sheet has closed, with the code given to endSheet.
    void beginSheet(const std::shared_ptr<Window>& sheet, SheetCompletion completion);
    void endSheet(const std::shared_ptr<Window>& sheet, ModalResponse returnCode = ModalResponses::cancel);
    std::shared_ptr<Window> attachedSheet() const;
    std::shared_ptr<Window> sheetParent() const;

    // Cursor rectangles: asks `view` for its rectangles again (when enabled); disabled windows keep the arrow.
    void invalidateCursorRectsForView(const std::shared_ptr<View>& view);
    void enableCursorRects();
    void disableCursorRects();
    bool areCursorRectsEnabled() const;
    // True between the first resize of a live resize and 200 ms after its last.
    bool inLiveResize() const;

    // Dispatches an event: mouse presses to the deepest view under them (and their drags and release to the
    // same view), keys to the first responder.
    void sendEvent(const Event& event);
    // The content area as drawn now.
    gfx::ImageRef snapshot();
    // True once the window system has put the window on the screen and asked it to draw.
    bool isExposed() const;
    // The content area as the screen shows it now, read back from the window system; null when the window
    // is not exposed. Other windows above it show in it.
    gfx::ImageRef screenSnapshot() const;

    // For the ui layer: re-places the content view's widget.
    void placeContentView();
    void rebuildMenuBar();
    // A resize happened: starts a live resize, or extends the one going on.
    void liveResizeStep();
    Impl& impl() { return *impl_; }

private:
    void startNextSheet();
    void becomeKey();

    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
