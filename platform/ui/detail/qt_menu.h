// The Qt side of menus, for the ui layer's own use.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "platform/ui/menu.h"
#include "platform/ui/responder.h"

namespace ui {

struct Menu::Impl {
    QPointer<QMenu> menu;
    std::string title;
    std::vector<std::shared_ptr<MenuItem>> items;
    bool autoenables = true;
};

struct MenuItem::Impl {
    QPointer<QAction> action;
    Action selector;
    long tag = 0;
    std::weak_ptr<Responder> target;
    std::string keyEquivalent;
    std::uint64_t modifiers = 0;
    ControlState state = ControlState::off;
    bool enabled = true;
    bool separator = false;
    std::shared_ptr<Menu> submenu;
    std::weak_ptr<Menu> menu;
};

// Puts the menus of `mainMenu`'s items into `bar`.
void fillMenuBar(Menu& mainMenu, QMenuBar& bar);

}  // namespace ui
