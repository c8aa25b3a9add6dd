// A view that shows part of a larger document view through its clip view (its content view) with scroll
// bars at its right and bottom edges when asked for, magnified within limits (0.25 to 4 unless set). Its key
// "documentView" can be observed. Main thread only.
#pragma once

#include "platform/ui/clip_view.h"

namespace ui {

class ScrollView : public View {
public:
    struct Impl;
    explicit ScrollView(const gfx::Rect& frame = {});
    ~ScrollView() override;
    void awake() override;

    std::shared_ptr<ClipView> contentView() const;
    // Replaces the clip view (a subclass of ClipView, say), keeping the document view.
    void setContentView(const std::shared_ptr<ClipView>& clip);
    std::shared_ptr<View> documentView() const;
    void setDocumentView(const std::shared_ptr<View>& view);
    bool hasVerticalScroller() const;
    void setHasVerticalScroller(bool has);
    bool hasHorizontalScroller() const;
    void setHasHorizontalScroller(bool has);
    gfx::Rect documentVisibleRect() const;

    // Document points per point on the screen's side: above 1 the document shows larger.
    double magnification() const;
    // Clamped to the limits; keeps the middle of the visible part of the document in place.
    void setMagnification(double magnification);
    double minMagnification() const { return minMagnification_; }
    // The current magnification follows a new limit that excludes it.
    void setMinMagnification(double magnification);
    double maxMagnification() const { return maxMagnification_; }
    void setMaxMagnification(double magnification);
    // Magnifies, within the limits, so that `rect` of the document's space fits the clip view; centres it.
    void magnifyToFitRect(const gfx::Rect& rect);
    // How far one step of the wheel scrolls, in points.
    double lineScroll() const { return lineScroll_; }
    void setLineScroll(double points) { lineScroll_ = points; }

    void scrollWheel(const Event& event) override;
    void resizeSubviewsWithOldSize(const gfx::Size& oldSize) override;
    // Puts the scroll bars in step with the clip view's position and the document's size.
    void reflectScrolledClipView();

private:
    void tile();
    // The magnification within the limits (the lower one wins when they cross).
    double clamped(double magnification) const;
    // Sets the clip view's magnification and scrolls so that `center` (document space) is in the middle.
    void magnifyAround(double magnification, const gfx::Point& center);
    std::unique_ptr<Impl> impl_;
    double lineScroll_ = 10;
    double minMagnification_ = 0.25;
    double maxMagnification_ = 4;
};

}  // namespace ui
