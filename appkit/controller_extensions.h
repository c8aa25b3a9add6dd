// Loading a controller's view or window at once instead of on first use. Main thread only.
#pragma once
#include "platform/ui/view_controller.h"
#include "platform/ui/window_controller.h"

namespace kestrane {

// loadView() then viewDidLoad() when the view is not loaded yet.
void forceLoadIfNeeded(ui::ViewController& controller);
// windowWillLoad(), loadWindow() then windowDidLoad() when the window is not loaded yet.
void forceLoadIfNeeded(ui::WindowController& controller);

}  // namespace kestrane
