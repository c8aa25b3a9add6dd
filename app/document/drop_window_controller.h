// The drop window: the small window shown while no document is open and the batch window is hidden, on which
// movies are dropped to open them. One shared controller for the process, whose window is only shown and
// closed, never released. Main thread only.
#pragma once

#include <memory>

#include "platform/ui/window_controller.h"
#include "platform/ui/window_delegate.h"

namespace vistrel {

class DropWindowController : public ui::WindowController, public ui::WindowDelegate {
public:
    // Made once, on first use, from the interface "DropWindow".
    static std::shared_ptr<DropWindowController> sharedController();

    DropWindowController();
    explicit DropWindowController(std::shared_ptr<ui::Window> window);

    // Styles the window: content under a transparent title bar, movable by its background, light backdrop.
    void windowDidLoad() override;
    void showWindow(const std::shared_ptr<core::Object>& sender) override;

    // True when the user closed the window since it was last shown: the program then has nothing to show.
    bool wasClosedByUser() const { return closedByUser_; }
    bool windowShouldClose(ui::Window& window) override;

private:
    bool closedByUser_ = false;
};

}  // namespace vistrel
