// Buttons that act on mouse-down: MenuPicker pops its own menu up beside itself, ShareMenuPicker only sends
// its action when the mouse goes down. Main thread only.
#pragma once

#include "platform/ui/button.h"

namespace kestrane {

class MenuPicker : public ui::Button {
public:
    using Button::Button;
    void awake() override;

    // Pops the button's menu up just below its left edge; nothing without a menu or a window. The button's
    // own action, performed on itself.
    static constexpr ui::ActionName showMenuAction{"showMenu:"};
    void showMenu(const std::shared_ptr<core::Object>& sender);

private:
    void menuPickerSetup();
};

class ShareMenuPicker : public ui::Button {
public:
    using Button::Button;
    void awake() override;

private:
    void menuPickerSetup();
};

}  // namespace kestrane
