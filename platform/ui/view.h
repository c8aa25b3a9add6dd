// A rectangle of a window that draws and handles events, in a tree of subviews. The frame is in the
// superview's space, y-up unless the superview isFlipped(); the bounds are the view's own space. Each view
// has its own host widget inside the layer; drawing goes through a y-up gfx::Context made current for draw().
// A view may carry a layer tree, painted under its subviews. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/rect.h"
#include "platform/ui/animator.h"
#include "platform/ui/dragging.h"
#include "platform/ui/responder.h"

namespace ui {

class Cursor;
class Layer;
class Menu;
class ScrollView;
class Window;

// Which margins and sides follow the superview's size.
namespace AutoresizingMask {
constexpr unsigned notSizable = 0;
constexpr unsigned minXMargin = 1;
constexpr unsigned widthSizable = 2;
constexpr unsigned maxXMargin = 4;
constexpr unsigned minYMargin = 8;
constexpr unsigned heightSizable = 16;
constexpr unsigned maxYMargin = 32;
}  // namespace AutoresizingMask

class View : public Responder {
public:
    struct Impl;
    static constexpr double noIntrinsicMetric = -1;
    // Posted with the view as object when its frame changes.
    static constexpr const char* frameDidChangeNotification = "NSViewFrameDidChangeNotification";
    // Posted with the view as object when its bounds origin moves (a clip view scrolled).
    static constexpr const char* boundsDidChangeNotification = "NSViewBoundsDidChangeNotification";

    explicit View(const gfx::Rect& frame = {});
    ~View() override;
    void awake() override;

    gfx::Rect frame() const;
    virtual void setFrame(const gfx::Rect& frame);
    void setFrameOrigin(const gfx::Point& origin);
    void setFrameSize(const gfx::Size& size);
    gfx::Rect bounds() const;
    void setBounds(const gfx::Rect& bounds);
    void setBoundsOrigin(const gfx::Point& origin);
    // Frame points per unit of the bounds: above 1 the view shows its subviews magnified. 1 unless set.
    double boundsScale() const;
    // True when y grows downwards in this view's own space (and so in its subviews' frames).
    virtual bool isFlipped() const { return false; }

    bool isHidden() const;
    void setHidden(bool hidden);
    // True when this view or one of its superviews is hidden.
    bool isHiddenOrHasHiddenAncestor() const;
    double alphaValue() const;
    void setAlphaValue(double alpha);
    // A name that tells this view apart from its siblings; empty unless set.
    const std::string& identifier() const { return identifier_; }
    void setIdentifier(const std::string& identifier) { identifier_ = identifier; }

    std::shared_ptr<View> superview() const;
    const std::vector<std::shared_ptr<View>>& subviews() const;
    void addSubview(const std::shared_ptr<View>& view);
    void removeFromSuperview();
    virtual void viewWillMoveToSuperview(const std::shared_ptr<View>& newSuperview) {}
    virtual void viewDidMoveToWindow() {}
    bool isDescendantOf(const View& view) const;
    std::shared_ptr<Window> window() const;

    unsigned autoresizingMask() const;
    void setAutoresizingMask(unsigned mask);
    // Moves and sizes this view after its superview changed from `oldSize` by the autoresizing mask.
    virtual void resizeWithOldSuperviewSize(const gfx::Size& oldSize);
    virtual void resizeSubviewsWithOldSize(const gfx::Size& oldSize);
    virtual gfx::Size intrinsicContentSize() const { return {noIntrinsicMetric, noIntrinsicMetric}; }
    // Keeps the frame height at `height` whatever the superview does.
    void setFixedHeight(double height);

    // Draws the part `dirty` of the view (in bounds space) into gfx::Context::current().
    virtual void draw(const gfx::Rect& dirty) {}
    void setNeedsDisplay();
    void setNeedsDisplayInRect(const gfx::Rect& rect);

    // Points and rectangles between this view's space and another view's; null is the window's content area.
    gfx::Point convertPoint(const gfx::Point& point, const View* from) const;
    gfx::Point convertPointTo(const gfx::Point& point, const View* to) const;
    gfx::Rect convertRect(const gfx::Rect& rect, const View* from) const;
    gfx::Rect convertRectTo(const gfx::Rect& rect, const View* to) const;

    // The deepest visible view under `point`, given in the superview's space; null when outside.
    virtual std::shared_ptr<View> hitTest(const gfx::Point& point);
    // The view an unhandled event goes to: the one set, else the superview, else the window.
    std::shared_ptr<Responder> nextResponder() const override;
    bool acceptsFirstResponder() const override { return false; }
    virtual bool mouseDownCanMoveWindow() const { return false; }

    bool wantsLayer() const;
    void setWantsLayer(bool wants);
    // The view's layer; made on first use when the view wants one.
    std::shared_ptr<Layer> layer();
    void setLayer(const std::shared_ptr<Layer>& layer);
    // A proxy whose changes animate inside an animation context, and at once outside one.
    Animator animator();

    // The nearest scroll view among the superviews; null when there is none.
    std::shared_ptr<ScrollView> enclosingScrollView() const;
    // Scrolls the nearest clip view above as little as it takes to show `rect` (bounds space); of a rectangle
    // larger than the clip view, the part from its lowest coordinates. True when it scrolled.
    bool scrollRectToVisible(const gfx::Rect& rect);

    // The context menu: a right click on the view pops it up, the menu key too while the view has the focus.
    std::shared_ptr<Menu> menu() const;
    void setMenu(const std::shared_ptr<Menu>& menu);
    // Pops up the view's menu; passes the press on when it has none.
    void rightMouseDown(const Event& event) override;
    std::string toolTip() const;
    void setToolTip(const std::string& text);

    // Drops: a view registered for some types hears of drags that carry one of them.
    void registerForDraggedTypes(const std::vector<std::string>& types);
    void unregisterDraggedTypes();
    const std::vector<std::string>& registeredDraggedTypes() const;
    virtual DragOperation draggingEntered(const DraggingInfo& info) { return DragOperations::none; }
    // By default what draggingEntered answered.
    virtual DragOperation draggingUpdated(const DraggingInfo& info);
    virtual void draggingExited(const DraggingInfo* info) {}
    // The drag over this view is over: after the drop (whether taken or not) or once it left; no info then.
    virtual void draggingEnded(const DraggingInfo* info) {}
    virtual bool prepareForDragOperation(const DraggingInfo& info) { return true; }
    virtual bool performDragOperation(const DraggingInfo& info) { return false; }
    virtual void concludeDragOperation(const DraggingInfo& info) {}
    // Drags: starts dragging the items and returns once the drag has ended. Items of the promised-file type
    // are written by the source into a fresh temporary folder when the drag starts and dragged as their files
    // (text/uri-list), which a target gets once they are all there (waiting a few seconds at most); the others
    // as their data. The picture shows the items' images at their dragging frames
    // (in this view's space) around the pointer.
    void beginDraggingSession(const std::vector<DraggingItem>& items, const Event& event,
                              const std::shared_ptr<DraggingSource>& source);

    // Cursor rectangles: resetCursorRects adds them (in bounds space) when the window asks; the pointer takes
    // the cursor of the rectangle it is in.
    virtual void resetCursorRects() {}
    void addCursorRect(const gfx::Rect& rect, const std::shared_ptr<Cursor>& cursor);
    void discardCursorRects();
    // The cursor of the rectangle holding `point` (bounds space); null outside them all.
    std::shared_ptr<Cursor> cursorAt(const gfx::Point& point) const;

    // Live resize: a window's resizing starts with its first resize and ends 200 ms after its last.
    virtual void viewWillStartLiveResize() {}
    virtual void viewDidEndLiveResize() {}

    Impl& impl() { return *impl_; }
    const Impl& impl() const { return *impl_; }

protected:
    // A subclass that shows a Qt widget of its own (a control) calls this from its awake().
    void setNeedsFocus(bool acceptsKeys);
    // Scales the bounds around their origin so that one unit takes `scale` frame points; the frame stays.
    void setBoundsScale(double scale);

private:
    std::string identifier_;
    void placeWidget();
    void placeSubviewWidgets();
    void placeWidgetTree();
    void frameChanged(const gfx::Size& oldSize);

    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
