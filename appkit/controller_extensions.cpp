#include "appkit/controller_extensions.h"

namespace kestrane {

void forceLoadIfNeeded(ui::ViewController& controller)
{
    if (controller.isViewLoaded()) return;
    controller.loadView();
    controller.viewDidLoad();
}

void forceLoadIfNeeded(ui::WindowController& controller)
{
    if (controller.isWindowLoaded()) return;
    controller.windowWillLoad();
    controller.loadWindow();
    controller.windowDidLoad();
}

}  // namespace kestrane
