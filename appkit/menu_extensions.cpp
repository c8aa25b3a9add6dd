#include "appkit/menu_extensions.h"

namespace kestrane {

std::shared_ptr<ui::MenuItem> addItem(ui::Menu& menu, const std::string& title, const ui::Action& action)
{
    return menu.addItem(title, action, "");
}

std::optional<bool> boolState(const ui::MenuItem& item)
{
    switch (item.state()) {
    case ui::ControlState::on: return true;
    case ui::ControlState::off: return false;
    default: return std::nullopt;
    }
}

void setBoolState(ui::MenuItem& item, std::optional<bool> state)
{
    item.setState(!state ? ui::ControlState::mixed : *state ? ui::ControlState::on : ui::ControlState::off);
}

}  // namespace kestrane
