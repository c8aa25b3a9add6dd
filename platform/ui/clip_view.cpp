#include "platform/ui/clip_view.h"

#include <algorithm>

#include "platform/core/notification_center.h"

namespace ui {

void ClipView::setDocumentView(const std::shared_ptr<View>& view)
{
    auto& center = core::NotificationCenter::defaultCenter();
    if (document_) {
        center.removeObserver(this, frameDidChangeNotification, document_.get());
        document_->removeFromSuperview();
    }
    document_ = view;
    if (view) {
        addSubview(view);
        std::weak_ptr<ClipView> weak = sharedAs<ClipView>();
        center.addObserver(this, frameDidChangeNotification, view.get(), [weak](const core::Notification&) {
            if (auto clip = weak.lock()) clip->reconstrain();
        });
    }
    reconstrain();
}

gfx::Rect ClipView::constrainBoundsRect(const gfx::Rect& proposed) const
{
    if (!document_) return proposed;
    const gfx::Rect d = document_->frame().standardized();
    gfx::Rect r = proposed;
    auto clampAxis = [](double origin, double size, double docMin, double docSize) {
        if (size >= docSize) return docMin;
        return std::clamp(origin, docMin, docMin + docSize - size);
    };
    r.origin.x = clampAxis(r.origin.x, r.size.width, d.minX(), d.width());
    r.origin.y = clampAxis(r.origin.y, r.size.height, d.minY(), d.height());
    return r;
}

void ClipView::scrollToPoint(const gfx::Point& point)
{
    setBoundsOrigin(constrainBoundsRect({point, bounds().size}).origin);
}

gfx::Rect ClipView::documentVisibleRect() const
{
    if (!document_) return bounds();
    const gfx::Rect visible = gfx::intersection(bounds(), document_->frame());
    return visible.isNull() ? gfx::Rect{} : visible;
}

void ClipView::reconstrain()
{
    const gfx::Rect constrained = constrainBoundsRect(bounds());
    if (constrained.origin != bounds().origin) setBoundsOrigin(constrained.origin);
}

void ClipView::setMagnification(double magnification)
{
    setBoundsScale(magnification);
    reconstrain();
}

void ClipView::resizeSubviewsWithOldSize(const gfx::Size& oldSize)
{
    View::resizeSubviewsWithOldSize(oldSize);
    reconstrain();
}

}  // namespace ui
