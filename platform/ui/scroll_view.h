// A view that shows part of a larger document view through its clip view (its content view) with scroll
// bars at its right and bottom edges when asked for. Its key "documentView" can be observed. Main thread only.
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
    // How far one step of the wheel scrolls, in points.
    double lineScroll() const { return lineScroll_; }
    void setLineScroll(double points) { lineScroll_ = points; }

    void scrollWheel(const Event& event) override;
    void resizeSubviewsWithOldSize(const gfx::Size& oldSize) override;
    // Puts the scroll bars in step with the clip view's position and the document's size.
    void reflectScrolledClipView();

private:
    void tile();
    std::unique_ptr<Impl> impl_;
    double lineScroll_ = 10;
};

}  // namespace ui
