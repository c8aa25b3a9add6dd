// A menu of items. With autoenablesItems (the default) each item that sends an action is enabled, just
// before the menu shows, when some responder would perform it and validates it. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/object.h"
#include "platform/gfx/size.h"
#include "platform/ui/event.h"
#include "platform/ui/menu_item.h"

namespace ui {

class View;

class Menu : public core::Object {
public:
    struct Impl;
    explicit Menu(const std::string& title = {});
    ~Menu() override;
    void awake() override;

    std::string title() const;
    const std::vector<std::shared_ptr<MenuItem>>& items() const;
    void addItem(const std::shared_ptr<MenuItem>& item);
    std::shared_ptr<MenuItem> addItem(const std::string& title, const Action& action, const std::string& keyEquivalent);
    void insertItem(const std::shared_ptr<MenuItem>& item, std::size_t index);
    void removeItem(const std::shared_ptr<MenuItem>& item);
    void removeAllItems();
    std::shared_ptr<MenuItem> itemWithTag(long tag) const;
    std::shared_ptr<MenuItem> itemWithTitle(const std::string& title) const;
    bool autoenablesItems() const;
    void setAutoenablesItems(bool autoenables);

    // Enables and disables the items by validation, as happens before the menu shows.
    void update();
    // The size the menu takes on screen when it shows, in points.
    gfx::Size size() const;
    // Shows the menu at the event's location in `view`'s window.
    static void popUpContextMenu(const std::shared_ptr<Menu>& menu, const Event& event,
                                 const std::shared_ptr<View>& view);

    // For the ui layer.
    void popUpAtGlobal(int x, int y);
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
