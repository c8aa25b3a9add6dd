#include "appkit/menu_picker.h"

#include "appkit/event_extensions.h"
#include "platform/ui/menu.h"

namespace kestrane {

namespace {

constexpr ui::EventMask leftMouseDownMask = ui::eventMaskFor(ui::EventType::leftMouseDown);

}  // namespace

void MenuPicker::awake()
{
    Button::awake();
    menuPickerSetup();
}

void MenuPicker::menuPickerSetup()
{
    registerCommand(showMenuAction, &MenuPicker::showMenu);
    setTarget(sharedAs<ui::Responder>());
    setAction(showMenuAction);
    sendActionOn(leftMouseDownMask);
}

void MenuPicker::showMenu(const std::shared_ptr<core::Object>&)
{
    auto menu = this->menu();
    auto window = this->window();
    if (!menu || !window) return;
    const gfx::Point point = convertPointTo({-1, 4 - menu->size().height}, nullptr);
    if (auto event = leftMouseDown(point, window)) ui::Menu::popUpContextMenu(menu, *event, sharedAs<ui::View>());
}

void ShareMenuPicker::awake()
{
    Button::awake();
    menuPickerSetup();
}

void ShareMenuPicker::menuPickerSetup() { sendActionOn(leftMouseDownMask); }

}  // namespace kestrane
