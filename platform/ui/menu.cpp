#include "platform/ui/menu.h"

#include <algorithm>

#include "platform/core/main_thread.h"
#include "platform/ui/application.h"
#include "platform/ui/detail/qt_menu.h"
#include "platform/ui/detail/qt_screen.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"

namespace ui {

Menu::Menu(const std::string& title) : impl_(std::make_unique<Impl>())
{
    core::assertMainThread();
    impl_->title = title;
    impl_->menu = new QMenu(QString::fromStdString(title));
}

Menu::~Menu() { delete impl_->menu.data(); }

void Menu::awake()
{
    core::Object::awake();
    std::weak_ptr<Menu> weak = sharedAs<Menu>();
    QObject::connect(impl_->menu, &QMenu::aboutToShow, [weak] {
        if (auto menu = weak.lock()) menu->update();
    });
}

std::string Menu::title() const { return impl_->title; }
const std::vector<std::shared_ptr<MenuItem>>& Menu::items() const { return impl_->items; }

void Menu::addItem(const std::shared_ptr<MenuItem>& item)
{
    core::assertMainThread();
    insertItem(item, impl_->items.size());
}

std::shared_ptr<MenuItem> Menu::addItem(const std::string& title, const Action& action,
                                        const std::string& keyEquivalent)
{
    auto item = core::make<MenuItem>(title, action, keyEquivalent);
    addItem(item);
    return item;
}

void Menu::insertItem(const std::shared_ptr<MenuItem>& item, std::size_t index)
{
    core::assertMainThread();
    if (!item) return;
    if (auto old = item->menu()) old->removeItem(item);
    index = std::min(index, impl_->items.size());
    QAction* before = index < impl_->items.size() ? impl_->items[index]->impl().action.data() : nullptr;
    impl_->menu->insertAction(before, item->impl().action);
    impl_->items.insert(impl_->items.begin() + long(index), item);
    item->impl().menu = sharedAs<Menu>();
}

void Menu::removeItem(const std::shared_ptr<MenuItem>& item)
{
    core::assertMainThread();
    auto& items = impl_->items;
    auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) return;
    impl_->menu->removeAction(item->impl().action);
    item->impl().menu.reset();
    items.erase(found);
}

void Menu::removeAllItems()
{
    while (!impl_->items.empty())
        removeItem(impl_->items.back());
}

std::shared_ptr<MenuItem> Menu::itemWithTag(long tag) const
{
    for (auto& item : impl_->items)
        if (item->tag() == tag) return item;
    return nullptr;
}

std::shared_ptr<MenuItem> Menu::itemWithTitle(const std::string& title) const
{
    for (auto& item : impl_->items)
        if (item->title() == title) return item;
    return nullptr;
}

bool Menu::autoenablesItems() const { return impl_->autoenables; }
void Menu::setAutoenablesItems(bool autoenables) { impl_->autoenables = autoenables; }

void Menu::update()
{
    auto application = Application::shared();
    if (application->windowsMenu().get() == this) application->updateWindowsMenu();
    if (!impl_->autoenables) return;
    for (auto& item : impl_->items) {
        if (item->isSeparatorItem() || item->submenu()) continue;
        if (item->action().empty()) continue;
        auto target = application->targetForAction(item->action(), item->target());
        item->setEnabled(target && target->validateUserInterfaceItem(*item));
    }
}

void Menu::popUpContextMenu(const std::shared_ptr<Menu>& menu, const Event& event, const std::shared_ptr<View>& view)
{
    core::assertMainThread();
    if (!menu || !view) return;
    auto window = view->window();
    if (!window) return;
    const QPoint global = qtPointFromScreen(window->convertPointToScreen(event.locationInWindow));
    menu->popUpAtGlobal(global.x(), global.y());
}

gfx::Size Menu::size() const
{
    const QSize hint = impl_->menu->sizeHint();
    return {double(hint.width()), double(hint.height())};
}

void Menu::popUpAtGlobal(int x, int y)
{
    update();
    impl_->menu->popup(QPoint(x, y));
}

void fillMenuBar(Menu& mainMenu, QMenuBar& bar)
{
    bar.clear();
    for (auto& item : mainMenu.items())
        if (auto submenu = item->submenu()) bar.addMenu(submenu->impl().menu);
}

}  // namespace ui
