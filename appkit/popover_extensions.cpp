#include "appkit/popover_extensions.h"

namespace kestrane {

void showAtTop(ui::Popover& popover, const std::shared_ptr<ui::View>& view)
{
    if (!view) return;
    popover.show(view->bounds(), view, view->isFlipped() ? ui::RectEdge::minY : ui::RectEdge::maxY);
}

void showAtBottom(ui::Popover& popover, const std::shared_ptr<ui::View>& view)
{
    if (!view) return;
    popover.show(view->bounds(), view, view->isFlipped() ? ui::RectEdge::maxY : ui::RectEdge::minY);
}

void showAtLeft(ui::Popover& popover, const std::shared_ptr<ui::View>& view)
{
    if (view) popover.show(view->bounds(), view, ui::RectEdge::minX);
}

void showAtRight(ui::Popover& popover, const std::shared_ptr<ui::View>& view)
{
    if (view) popover.show(view->bounds(), view, ui::RectEdge::maxX);
}

}  // namespace kestrane
