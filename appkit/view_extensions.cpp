#include "appkit/view_extensions.h"

#include <algorithm>

#include "platform/core/dispatch_queue.h"
#include "platform/ui/screen.h"
#include "platform/ui/window.h"

namespace kestrane {

void setFrameCenter(ui::View& view, const gfx::Point& center)
{
    const gfx::Rect frame = view.frame();
    view.setFrameOrigin({center.x - frame.size.width * 0.5, center.y - frame.size.height * 0.5});
}

void enableCursorRects(ui::View& view)
{
    if (auto window = view.window()) window->enableCursorRects();
}

void disableCursorRects(ui::View& view)
{
    if (auto window = view.window()) window->disableCursorRects();
}

void invalidateCursorRects(const std::shared_ptr<ui::View>& view)
{
    if (!view) return;
    if (auto window = view->window()) window->invalidateCursorRectsForView(view);
}

void removeAllSubviews(ui::View& view)
{
    const auto subviews = view.subviews();
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it)
        (*it)->removeFromSuperview();
}

void addFilledSubView(ui::View& view, const std::shared_ptr<ui::View>& subview)
{
    if (!subview) return;
    subview->setFrame(view.bounds());
    subview->setAutoresizingMask(ui::AutoresizingMask::widthSizable | ui::AutoresizingMask::heightSizable);
    view.addSubview(subview);
}

void setFilledSubview(ui::View& view, const std::shared_ptr<ui::View>& subview)
{
    removeAllSubviews(view);
    addFilledSubView(view, subview);
}

void asyncNeedsDiplay(const std::shared_ptr<ui::View>& view)
{
    if (!view) return;
    core::DispatchQueue::main()->async([view] { view->setNeedsDisplay(); });
}

void magnifyToDocumentRect(ui::ScrollView& scrollView)
{
    if (auto document = scrollView.documentView())
        scrollView.magnifyToFitRect(gfx::inset(document->bounds(), -40, -40));
}

double screenScale()
{
    double scale = 1;
    for (auto& screen : ui::Screen::screens())
        scale = std::max(scale, screen.backingScaleFactor);
    return scale;
}

}  // namespace kestrane
