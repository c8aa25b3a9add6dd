#include "appkit/tab_view_extensions.h"

namespace kestrane {

std::optional<long> indexOfSelectedItem(const ui::TabView& tabView)
{
    const auto item = tabView.selectedTabViewItem();
    if (!item) return std::nullopt;
    return tabView.indexOfTabViewItem(item);
}

void replaceViewOfItem(ui::TabView& tabView, long index, const std::shared_ptr<ui::View>& view)
{
    const auto item = tabView.tabViewItemAtIndex(index);
    if (!item || !view) return;
    if (const auto old = item->view()) {
        view->setFrame(old->frame());
        view->setAutoresizingMask(old->autoresizingMask());
    }
    item->setView(view);
}

}  // namespace kestrane
