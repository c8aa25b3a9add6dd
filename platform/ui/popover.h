// A small floating panel showing a view controller's view next to a rectangle of another view, at one of its
// edges. Its behaviour decides what closes it: application-defined popovers close only when told, semi-
// transient ones also on a press in the positioning view's window outside them or on Escape, transient ones on
// any press outside them, Escape or the application going to the background. It never grabs the mouse.
// Main thread only.
#pragma once

#include <memory>

#include "platform/gfx/rect.h"
#include "platform/ui/responder.h"

namespace ui {

class Appearance;
class Popover;
class View;
class ViewController;

enum class PopoverBehavior { applicationDefined = 0, transient = 1, semitransient = 2 };

// An edge of a rectangle in its view's space: with y up, maxY is the top.
enum class RectEdge { minX = 0, minY = 1, maxX = 2, maxY = 3 };

class PopoverDelegate {
public:
    virtual ~PopoverDelegate() = default;
    // Asked before a close on the user's behalf (performClose, a press outside, Escape); false keeps it open.
    virtual bool popoverShouldClose(Popover& popover) { return true; }
    virtual void popoverWillClose(Popover& popover) {}
    virtual void popoverDidClose(Popover& popover) {}
};

class Popover : public Responder {
public:
    struct Impl;
    // The distance between the popover and the rectangle it points at.
    static constexpr double gap = 4;

    Popover();
    ~Popover() override;
    void awake() override;

    std::shared_ptr<ViewController> contentViewController() const;
    void setContentViewController(const std::shared_ptr<ViewController>& controller);
    PopoverBehavior behavior() const;
    void setBehavior(PopoverBehavior behavior);
    std::shared_ptr<Appearance> appearance() const;
    void setAppearance(const std::shared_ptr<Appearance>& appearance);
    std::shared_ptr<PopoverDelegate> delegate() const;
    void setDelegate(const std::shared_ptr<PopoverDelegate>& delegate);
    // The size of the content; the content view's size when not set.
    gfx::Size contentSize() const;
    void setContentSize(const gfx::Size& size);

    bool isShown() const;
    // Shows (or moves) the popover beside `rect` of `view` at `edge`, kept on the screen.
    void show(const gfx::Rect& rect, const std::shared_ptr<View>& view, RectEdge edge);
    // Closes without asking the delegate; it still hears will-close and did-close.
    void close();
    // Closes as the user would: asks popoverShouldClose first.
    void performClose(const std::shared_ptr<core::Object>& sender);

    // Where the popover is on the screen, y-up.
    gfx::Rect frame() const;

    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
