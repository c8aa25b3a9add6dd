#include "platform/ui/window_controller.h"

#include "platform/core/notification_center.h"
#include "platform/ui/document.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/window.h"

namespace ui {

WindowController::WindowController(std::shared_ptr<Window> window) : window_(std::move(window)) {}

WindowController::WindowController(std::string windowNibName) : nibName_(std::move(windowNibName)) {}

void WindowController::awake()
{
    Responder::awake();
    if (window_) adoptWindow();
}

std::shared_ptr<Window> WindowController::window()
{
    if (!window_ && !loading_ && !nibName_.empty()) {
        loading_ = true;
        windowWillLoad();
        loadWindow();
        loading_ = false;
        if (window_) {
            windowDidLoad();
            if (auto doc = std::dynamic_pointer_cast<Document>(document())) doc->windowControllerDidLoadNib(*this);
        }
    }
    return window_;
}

void WindowController::setWindow(const std::shared_ptr<Window>& window)
{
    auto& center = core::NotificationCenter::defaultCenter();
    if (window_) center.removeObserver(this, Window::willCloseNotification, window_.get());
    window_ = window;
    if (window_) adoptWindow();
}

void WindowController::adoptWindow()
{
    window_->setWindowController(sharedAs<WindowController>());
    std::weak_ptr<WindowController> weak = sharedAs<WindowController>();
    core::NotificationCenter::defaultCenter().addObserver(this, Window::willCloseNotification, window_.get(),
                                                          [weak](const core::Notification&) {
                                                              if (auto controller = weak.lock())
                                                                  controller->windowWillClose();
                                                          });
}

void WindowController::windowWillClose()
{
    // The document goes with its last window.
    auto doc = std::dynamic_pointer_cast<Document>(document());
    if (!doc) return;
    const auto& controllers = doc->windowControllers();
    if (controllers.size() == 1 && controllers.front().get() == this) doc->close();
}

void WindowController::loadWindow()
{
    auto owner = nibOwner_.lock();
    InterfaceRegistry::build(nibName_, owner ? owner : shared_from_this());
}

void WindowController::showWindow(const std::shared_ptr<core::Object>& sender)
{
    if (auto w = window()) w->makeKeyAndOrderFront(sender);
}

void WindowController::close()
{
    if (window_) window_->close();
}

}  // namespace ui
