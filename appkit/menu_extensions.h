// Menu shorthands: an item without key equivalent, and an item's state as an optional Bool. Main thread only.
#pragma once
#include "platform/ui/menu.h"
#include "platform/ui/menu_item.h"
#include <memory>
#include <optional>
#include <string>

namespace kestrane {

std::shared_ptr<ui::MenuItem> addItem(ui::Menu& menu, const std::string& title, const ui::Action& action);

// On is true, off false, mixed absent.
std::optional<bool> boolState(const ui::MenuItem& item);
void setBoolState(ui::MenuItem& item, std::optional<bool> state);

}  // namespace kestrane
