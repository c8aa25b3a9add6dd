// Defaults bindings: a control that shows the value stored under a key of the user defaults, follows every
// change of it, and stores the user's edits under the key. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "platform/core/user_defaults.h"
#include "platform/ui/control.h"

namespace ui {

// Binds the control's value to `key` of `defaults` (null: the standard store), replacing any value binding;
// infoForBinding(valueBinding) then names the key. Stored booleans, integers and reals show as numbers,
// strings as text, and an array of strings as a token field's tokens (a key without a value shows none). An
// edit keeps the kind the key held (a number goes in as a real when it held none); a token field stores its
// tokens as an array of strings. Changes made on other threads show once the main thread gets to them.
void bindToDefaults(const std::shared_ptr<Control>& control, const std::string& key,
                    std::shared_ptr<core::UserDefaults> defaults = nullptr);

}  // namespace ui
