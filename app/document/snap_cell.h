// One thumbnail of the snaps strip: draws a snap's image in a framed box (a band of the focus colour around it
// while selected), carries a remove button on its top-left corner while selected, and hands the mouse events
// inside its content rectangle (its bounds inset by 12) to the strip; presses in the margin reach the strip as
// presses on its background. The strip places, numbers and selects the cells. Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>

#include "platform/gfx/image.h"
#include "platform/ui/view.h"

namespace ui {
class Button;
}

namespace vistrel {

class SnapsManager;
class SnapsView;

class SnapCell : public ui::View {
public:
    static constexpr std::int64_t unnumbered = std::numeric_limits<std::int64_t>::max();
    // The side of the remove button, and the margins of the content and the image.
    static constexpr double removeButtonSide = 20;
    static constexpr double contentMargin = 12;
    static constexpr double imageMargin = 16;

    // Layer-backed; unnumbered, not selected, no image.
    explicit SnapCell(const gfx::Rect& frame = {}) : View(frame) {}
    void awake() override;

    // The superview when it is a strip.
    std::shared_ptr<SnapsView> snapsView() const;
    // The strip's manager, when there are both.
    std::shared_ptr<SnapsManager> snapsManager() const;

    std::int64_t index() const { return index_; }
    void setIndex(std::int64_t index) { index_ = index; }
    bool selected() const { return selected_; }
    // Every assignment redraws the cell and shows the remove button exactly while selected.
    void setSelected(bool selected);
    gfx::ImageRef image() const { return image_; }
    void setImage(const gfx::ImageRef& image);
    // Made at the first assignment of `selected`; null before.
    const std::shared_ptr<ui::Button>& removeButton() const { return removeButton_; }

    gfx::Rect contentRect() const;
    gfx::Rect imageRect() const;

    void draw(const gfx::Rect& dirty) override;
    void mouseDown(const ui::Event& event) override;
    void mouseDragged(const ui::Event& event) override;
    void mouseUp(const ui::Event& event) override;
    void rightMouseDown(const ui::Event& event) override;
    void rightMouseDragged(const ui::Event& event) override;
    void rightMouseUp(const ui::Event& event) override;
    // Key presses go on to the strip.
    bool acceptsFirstResponder() const override { return true; }

    // The remove button's action: the manager removes its whole selection.
    void removeAction();

private:
    void updateSelection();
    void makeRemoveButton();
    bool isInContent(const ui::Event& event) const;
    // Inside the content rectangle: takes first responder, then hands the event to the strip's callback;
    // outside: `outside`.
    void forwardMouseEvent(const ui::Event& event, const std::function<void()>& outside,
                           void (SnapsView::*inside)(SnapCell&, const ui::Event&));

    std::int64_t index_ = unnumbered;
    bool selected_ = false;
    std::shared_ptr<ui::Button> removeButton_;
    gfx::ImageRef image_;
};

}  // namespace vistrel
