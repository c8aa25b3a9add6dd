#include "platform/ui/menu_item.h"

#include <QKeySequence>

#include "platform/ui/application.h"
#include "platform/ui/detail/qt_menu.h"
#include "platform/ui/event.h"

namespace ui {

MenuItem::MenuItem(const std::string& title, const Action& action, const std::string& keyEquivalent)
    : impl_(std::make_unique<Impl>())
{
    impl_->action = new QAction(QString::fromStdString(title));
    impl_->selector = action;
    impl_->keyEquivalent = keyEquivalent;
    impl_->modifiers = ModifierFlags::command;
}

MenuItem::~MenuItem() { delete impl_->action.data(); }

void MenuItem::awake()
{
    core::Object::awake();
    std::weak_ptr<MenuItem> weak = sharedAs<MenuItem>();
    QObject::connect(impl_->action, &QAction::triggered, [weak] {
        auto item = weak.lock();
        if (!item || item->action().empty()) return;
        // A key equivalent reaches the item without its menu showing: it acts only when it validates.
        auto application = Application::shared();
        auto target = application->targetForAction(item->action(), item->target());
        if (!target || !target->validateUserInterfaceItem(*item)) {
            beep();
            return;
        }
        target->tryToPerform(item->action(), item);
    });
    updateShortcut();
}

std::shared_ptr<MenuItem> MenuItem::separator()
{
    auto item = core::make<MenuItem>("", "", "");
    item->impl_->separator = true;
    item->impl_->action->setSeparator(true);
    return item;
}

std::string MenuItem::title() const { return impl_->action->text().toStdString(); }
void MenuItem::setTitle(const std::string& title) { impl_->action->setText(QString::fromStdString(title)); }
Action MenuItem::action() const { return impl_->selector; }
void MenuItem::setAction(const Action& action) { impl_->selector = action; }
long MenuItem::tag() const { return impl_->tag; }
void MenuItem::setTag(long tag) { impl_->tag = tag; }
std::shared_ptr<Responder> MenuItem::target() const { return impl_->target.lock(); }
void MenuItem::setTarget(const std::shared_ptr<Responder>& target) { impl_->target = target; }
std::string MenuItem::keyEquivalent() const { return impl_->keyEquivalent; }

void MenuItem::setKeyEquivalent(const std::string& key)
{
    impl_->keyEquivalent = key;
    updateShortcut();
}

std::uint64_t MenuItem::keyEquivalentModifierMask() const { return impl_->modifiers; }

void MenuItem::setKeyEquivalentModifierMask(std::uint64_t flags)
{
    impl_->modifiers = flags;
    updateShortcut();
}

void MenuItem::updateShortcut()
{
    const std::string& key = impl_->keyEquivalent;
    if (key.empty()) {
        impl_->action->setShortcut({});
        return;
    }
    QString text;
    if (impl_->modifiers & ModifierFlags::command) text += "Ctrl+";
    if (impl_->modifiers & ModifierFlags::option) text += "Alt+";
    if (impl_->modifiers & ModifierFlags::control) text += "Meta+";
    QString name = QString::fromStdString(key);
    // An upper-case letter carries shift, as the key equivalent "N" means shift-command-N.
    if (name.size() == 1 && name[0].isUpper())
        text += "Shift+";
    else if (impl_->modifiers & ModifierFlags::shift)
        text += "Shift+";
    if (name == "\r")
        name = "Return";
    else if (name == "\x1b")
        name = "Esc";
    else if (name == " ")
        name = "Space";
    else if (name == "\x7f" || name == "\b")
        name = "Backspace";
    text += name.toUpper();
    impl_->action->setShortcut(QKeySequence(text));
}

ControlState MenuItem::state() const { return impl_->state; }

void MenuItem::setState(ControlState state)
{
    impl_->state = state;
    impl_->action->setCheckable(state != ControlState::off);
    impl_->action->setChecked(state == ControlState::on);
}

bool MenuItem::isEnabled() const { return impl_->enabled; }

void MenuItem::setEnabled(bool enabled)
{
    impl_->enabled = enabled;
    impl_->action->setEnabled(enabled);
}

bool MenuItem::isHidden() const { return !impl_->action->isVisible(); }
void MenuItem::setHidden(bool hidden) { impl_->action->setVisible(!hidden); }
bool MenuItem::isSeparatorItem() const { return impl_->separator; }
std::shared_ptr<Menu> MenuItem::submenu() const { return impl_->submenu; }

void MenuItem::setSubmenu(const std::shared_ptr<Menu>& menu)
{
    impl_->submenu = menu;
    impl_->action->setMenu(menu ? menu->impl().menu.data() : nullptr);
}

std::shared_ptr<Menu> MenuItem::menu() const { return impl_->menu.lock(); }

}  // namespace ui
