#include "appkit/sharing_extensions.h"

namespace kestrane {

namespace {

void showAt(ui::SharingServicePicker& picker, const std::shared_ptr<ui::View>& view, ui::RectEdge edge)
{
    if (view) picker.show(view->bounds(), view, edge);
}

}  // namespace

void showAtTop(ui::SharingServicePicker& picker, const std::shared_ptr<ui::View>& view)
{
    showAt(picker, view, ui::RectEdge::maxY);
}

void showAtBottom(ui::SharingServicePicker& picker, const std::shared_ptr<ui::View>& view)
{
    showAt(picker, view, ui::RectEdge::minY);
}

void showAtLeft(ui::SharingServicePicker& picker, const std::shared_ptr<ui::View>& view)
{
    showAt(picker, view, ui::RectEdge::minX);
}

void showAtRight(ui::SharingServicePicker& picker, const std::shared_ptr<ui::View>& view)
{
    showAt(picker, view, ui::RectEdge::maxX);
}

}  // namespace kestrane
