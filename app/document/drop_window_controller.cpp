#include "app/document/drop_window_controller.h"

#include "appkit/appearance_extensions.h"
#include "appkit/window_extensions.h"
#include "platform/ui/visual_effect_view.h"
#include "platform/ui/window.h"

namespace vistrel {

std::shared_ptr<DropWindowController> DropWindowController::sharedController()
{
    // Never destroyed: the window must not outlive the application's widgets at exit.
    static auto* controller = new std::shared_ptr<DropWindowController>(core::make<DropWindowController>());
    return *controller;
}

DropWindowController::DropWindowController() : WindowController(std::string("DropWindow")) {}

DropWindowController::DropWindowController(std::shared_ptr<ui::Window> window) : WindowController(std::move(window)) {}

void DropWindowController::windowDidLoad()
{
    WindowController::windowDidLoad();
    auto window = this->window();
    window->setTitlebarAppearsTransparent(true);
    window->setMovableByWindowBackground(true);
    window->setAppearance(kestrane::Appearance::vibrantLight());
    kestrane::setContentViewAppearance(*window, ui::VisualEffectMaterial::light);
    if (auto backdrop = kestrane::visualContentView(*window)) backdrop->setState(ui::VisualEffectState::active);
    window->setDelegate(sharedAs<DropWindowController>());
}

void DropWindowController::showWindow(const std::shared_ptr<core::Object>& sender)
{
    closedByUser_ = false;
    WindowController::showWindow(sender);
}

bool DropWindowController::windowShouldClose(ui::Window&)
{
    closedByUser_ = true;
    return true;
}

}  // namespace vistrel
