#include "appkit/bool_control_state.h"

namespace kestrane {

std::optional<bool> boolOf(ui::ControlState state)
{
    switch (state) {
    case ui::ControlState::on:
        return true;
    case ui::ControlState::off:
        return false;
    default:
        return std::nullopt;
    }
}

ui::ControlState controlStateOf(std::optional<bool> state)
{
    return !state ? ui::ControlState::mixed : *state ? ui::ControlState::on : ui::ControlState::off;
}

}  // namespace kestrane
