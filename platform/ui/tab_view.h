// Pages of views of which one shows at a time, with a row of tabs on top unless its type has none; choosing
// a tab shows its page and tells the delegate. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/view.h"

namespace ui {

class TabView;

class TabViewItem : public core::Object {
public:
    explicit TabViewItem(std::string identifier) : identifier_(std::move(identifier)) {}
    const std::string& identifier() const { return identifier_; }
    std::string label() const { return label_; }
    void setLabel(const std::string& label) { label_ = label; }
    std::shared_ptr<View> view() const { return view_; }
    // A new view of the selected item shows at once in its place.
    void setView(const std::shared_ptr<View>& view);
    std::shared_ptr<TabView> tabView() const { return tabView_.lock(); }

private:
    friend class TabView;
    std::string identifier_;
    std::string label_;
    std::shared_ptr<View> view_;
    std::weak_ptr<TabView> tabView_;
};

class TabViewDelegate {
public:
    virtual ~TabViewDelegate() = default;
    virtual bool shouldSelectTabViewItem(TabView& tabView, const std::shared_ptr<TabViewItem>& item) { return true; }
    virtual void didSelectTabViewItem(TabView& tabView, const std::shared_ptr<TabViewItem>& item) {}
};

enum class TabViewType { topTabsBezelBorder = 0, noTabsBezelBorder = 4, noTabsLineBorder = 5, noTabsNoBorder = 6 };

class TabView : public View {
public:
    struct Impl;
    explicit TabView(const gfx::Rect& frame = {});
    ~TabView() override;
    void awake() override;

    void addTabViewItem(const std::shared_ptr<TabViewItem>& item);
    void removeTabViewItem(const std::shared_ptr<TabViewItem>& item);
    const std::vector<std::shared_ptr<TabViewItem>>& tabViewItems() const;
    long numberOfTabViewItems() const { return long(tabViewItems().size()); }
    // −1 when absent.
    long indexOfTabViewItem(const std::shared_ptr<TabViewItem>& item) const;
    long indexOfTabViewItemWithIdentifier(const std::string& identifier) const;
    // Null outside the items.
    std::shared_ptr<TabViewItem> tabViewItemAtIndex(long index) const;
    std::shared_ptr<TabViewItem> selectedTabViewItem() const;
    void selectTabViewItemAtIndex(long index);
    void selectTabViewItemWithIdentifier(const std::string& identifier);
    TabViewType tabViewType() const;
    void setTabViewType(TabViewType type);
    std::shared_ptr<TabViewDelegate> delegate() const;
    void setDelegate(const std::shared_ptr<TabViewDelegate>& delegate);
    // The area the pages take.
    gfx::Rect contentRect() const;

    void resizeSubviewsWithOldSize(const gfx::Size& oldSize) override;

    // For items: the item's view changed.
    void itemViewDidChange(const TabViewItem& item);

private:
    void refreshTabs();
    void showSelected();
    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
