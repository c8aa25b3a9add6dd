// A button that shows the title of one item of its list and lets the user pick another; picking sends the
// action. Items carry titles and tags. Main thread only.
#pragma once

#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/menu_item.h"

namespace ui {

class PopUpButton : public Control {
public:
    explicit PopUpButton(const gfx::Rect& frame = {});
    void awake() override;

    void addItem(const std::string& title);
    void addItems(const std::vector<std::string>& titles);
    void removeAllItems();
    long numberOfItems() const { return long(items_.size()); }
    std::vector<std::string> itemTitles() const;
    // Null outside the list.
    std::shared_ptr<MenuItem> itemAtIndex(long index) const;
    std::shared_ptr<MenuItem> lastItem() const;
    long indexOfItemWithTag(long tag) const;

    // −1 when nothing is selected.
    long indexOfSelectedItem() const;
    std::shared_ptr<MenuItem> selectedItem() const;
    // The selected item's tag; −1 when nothing is selected.
    long selectedTag() const;
    std::string titleOfSelectedItem() const;
    void selectItemAtIndex(long index);
    // False when no item has the tag (the selection stays).
    bool selectItemWithTag(long tag);
    void selectItemWithTitle(const std::string& title);

protected:
    void valueDidChange() override;

private:
    void refill();

    std::vector<std::shared_ptr<MenuItem>> items_;
};

}  // namespace ui
