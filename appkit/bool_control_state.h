// The state of a button or menu item read and written as an optional boolean: on is true, off false, mixed
// none. Any thread.
#pragma once

#include <optional>

#include "platform/ui/menu_item.h"

namespace kestrane {

std::optional<bool> boolOf(ui::ControlState state);
ui::ControlState controlStateOf(std::optional<bool> state);

}  // namespace kestrane
