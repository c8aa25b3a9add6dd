#include "platform/ui/tab_view.h"

#include <QTabBar>

#include <algorithm>

#include "platform/ui/detail/qt_view.h"

namespace ui {

struct TabView::Impl {
    std::vector<std::shared_ptr<TabViewItem>> items;
    std::shared_ptr<TabViewItem> selected;
    std::shared_ptr<View> shown;
    TabViewType type = TabViewType::topTabsBezelBorder;
    std::weak_ptr<TabViewDelegate> delegate;
    QPointer<QTabBar> bar;
};

void TabViewItem::setView(const std::shared_ptr<View>& view)
{
    view_ = view;
    if (auto tabs = tabView()) tabs->itemViewDidChange(*this);
}

TabView::TabView(const gfx::Rect& frame) : View(frame), impl_(std::make_unique<Impl>()) {}
TabView::~TabView() = default;

void TabView::awake()
{
    View::awake();
    auto* bar = new QTabBar(widgetOf(*this));
    std::weak_ptr<TabView> weak = sharedAs<TabView>();
    QObject::connect(bar, &QTabBar::tabBarClicked, [weak](int index) {
        if (auto tabs = weak.lock()) tabs->selectTabViewItemAtIndex(index);
    });
    impl_->bar = bar;
    refreshTabs();
}

void TabView::addTabViewItem(const std::shared_ptr<TabViewItem>& item)
{
    if (!item) return;
    if (auto previous = item->tabView(); previous && previous.get() != this) previous->removeTabViewItem(item);
    item->tabView_ = sharedAs<TabView>();
    impl_->items.push_back(item);
    refreshTabs();
    if (!impl_->selected) selectTabViewItemAtIndex(0);
}

void TabView::removeTabViewItem(const std::shared_ptr<TabViewItem>& item)
{
    auto& items = impl_->items;
    if (std::find(items.begin(), items.end(), item) == items.end()) return;
    item->tabView_.reset();
    items.erase(std::remove(items.begin(), items.end(), item), items.end());
    if (impl_->selected == item) {
        impl_->selected.reset();
        showSelected();
        if (!items.empty()) selectTabViewItemAtIndex(0);
    }
    refreshTabs();
}

const std::vector<std::shared_ptr<TabViewItem>>& TabView::tabViewItems() const { return impl_->items; }

long TabView::indexOfTabViewItem(const std::shared_ptr<TabViewItem>& item) const
{
    const auto found = std::find(impl_->items.begin(), impl_->items.end(), item);
    return item && found != impl_->items.end() ? long(found - impl_->items.begin()) : -1;
}

std::shared_ptr<TabViewItem> TabView::tabViewItemAtIndex(long index) const
{
    return index >= 0 && index < numberOfTabViewItems() ? impl_->items[std::size_t(index)] : nullptr;
}

void TabView::itemViewDidChange(const TabViewItem& item)
{
    if (impl_->selected.get() == &item) showSelected();
}

long TabView::indexOfTabViewItemWithIdentifier(const std::string& identifier) const
{
    for (std::size_t i = 0; i < impl_->items.size(); ++i)
        if (impl_->items[i]->identifier() == identifier) return long(i);
    return -1;
}

std::shared_ptr<TabViewItem> TabView::selectedTabViewItem() const { return impl_->selected; }

void TabView::selectTabViewItemAtIndex(long index)
{
    if (index < 0 || index >= numberOfTabViewItems()) return;
    auto item = impl_->items[std::size_t(index)];
    if (item == impl_->selected) return;
    auto d = delegate();
    if (d && !d->shouldSelectTabViewItem(*this, item)) {
        refreshTabs();
        return;
    }
    impl_->selected = item;
    showSelected();
    refreshTabs();
    if (d) d->didSelectTabViewItem(*this, item);
}

void TabView::selectTabViewItemWithIdentifier(const std::string& identifier)
{
    selectTabViewItemAtIndex(indexOfTabViewItemWithIdentifier(identifier));
}

TabViewType TabView::tabViewType() const { return impl_->type; }

void TabView::setTabViewType(TabViewType type)
{
    impl_->type = type;
    refreshTabs();
    showSelected();
}

std::shared_ptr<TabViewDelegate> TabView::delegate() const { return impl_->delegate.lock(); }
void TabView::setDelegate(const std::shared_ptr<TabViewDelegate>& delegate) { impl_->delegate = delegate; }

gfx::Rect TabView::contentRect() const
{
    const gfx::Rect b = bounds();
    if (impl_->type != TabViewType::topTabsBezelBorder || !impl_->bar) return b;
    const double bar = impl_->bar->sizeHint().height();
    return {b.minX(), b.minY(), b.width(), std::max(0.0, b.height() - bar)};
}

void TabView::resizeSubviewsWithOldSize(const gfx::Size&)
{
    showSelected();
    refreshTabs();
}

void TabView::refreshTabs()
{
    QTabBar* bar = impl_->bar;
    if (!bar) return;
    const QSignalBlocker quiet(bar);
    while (bar->count() > 0)
        bar->removeTab(0);
    for (auto& item : impl_->items)
        bar->addTab(QString::fromStdString(item->label()));
    const auto found = std::find(impl_->items.begin(), impl_->items.end(), impl_->selected);
    if (found != impl_->items.end()) bar->setCurrentIndex(int(found - impl_->items.begin()));
    const bool visible = impl_->type == TabViewType::topTabsBezelBorder;
    bar->setGeometry(0, 0, int(bounds().width()), bar->sizeHint().height());
    bar->setVisible(visible);
    bar->raise();
}

void TabView::showSelected()
{
    auto view = impl_->selected ? impl_->selected->view() : nullptr;
    if (impl_->shown && impl_->shown != view) impl_->shown->removeFromSuperview();
    impl_->shown = view;
    if (!view) return;
    view->setFrame(contentRect());
    if (view->superview().get() != this) addSubview(view);
}

}  // namespace ui
