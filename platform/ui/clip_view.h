// The visible part of a scroll view's document: its bounds origin is the scroll position, kept within the
// document by constrainBoundsRect (overridable); its bounds size is its frame size over the magnification.
// Main thread only.
#pragma once

#include "platform/ui/view.h"

namespace ui {

class ClipView : public View {
public:
    using View::View;

    std::shared_ptr<View> documentView() const { return document_; }
    void setDocumentView(const std::shared_ptr<View>& view);
    // The bounds to use for proposed bounds: by default the origin moved so that the document fills as much
    // of the clip view as it can (at its bottom left, y-up, when it is smaller).
    virtual gfx::Rect constrainBoundsRect(const gfx::Rect& proposed) const;
    // Scrolls so that `point` of the document space is the bounds origin, as constrained.
    void scrollToPoint(const gfx::Point& point);
    gfx::Rect documentVisibleRect() const;
    // Applies the constraint again (after the document or the clip view changed size).
    void reconstrain();
    // Shows the document magnified: one unit of the bounds (the document's space) takes `magnification`
    // points of the frame, the bounds origin staying where it is, as constrained.
    void setMagnification(double magnification);

    void resizeSubviewsWithOldSize(const gfx::Size& oldSize) override;

private:
    std::shared_ptr<View> document_;
};

}  // namespace ui
