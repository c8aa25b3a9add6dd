#include "appkit/menu_extensions.h"

#include "appkit/bool_control_state.h"

namespace kestrane {

std::shared_ptr<ui::MenuItem> addItem(ui::Menu& menu, const std::string& title, const ui::Action& action)
{
    return menu.addItem(title, action, "");
}

std::optional<bool> boolState(const ui::MenuItem& item) { return boolOf(item.state()); }
void setBoolState(ui::MenuItem& item, std::optional<bool> state) { item.setState(controlStateOf(state)); }

}  // namespace kestrane
