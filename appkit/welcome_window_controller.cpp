#include "appkit/welcome_window_controller.h"

#include "appkit/window_extensions.h"
#include "foundation/kestrane_kit.h"
#include "foundation/launch_setup.h"
#include "foundation/shortcuts.h"
#include "platform/core/data.h"
#include "platform/core/print.h"
#include "platform/ui/window.h"

namespace kestrane {

namespace {

const gfx::Size windowSize{760, 600};
const std::string closeMessage = "closeWelcomeWindow";

std::shared_ptr<ui::Window> makeWelcomeWindow()
{
    auto window = makeWindow(KestraneKit::local("WelcomeWindowController.WindowTitle"), windowSize);
    window->setContentMinSize(windowSize);
    window->setContentMaxSize(windowSize);
    return window;
}

}  // namespace

std::shared_ptr<WelcomeWindowController> WelcomeWindowController::sharedController()
{
    // Never destroyed: the window must not outlive the application's widgets at exit.
    static auto* shared = new std::shared_ptr<WelcomeWindowController>(core::make<WelcomeWindowController>());
    return *shared;
}

void WelcomeWindowController::showSharedWindow(const std::shared_ptr<core::Object>& sender)
{
    sharedController()->showWindow(sender);
}

void WelcomeWindowController::showSharedWindowIfUpdate(const std::shared_ptr<core::Object>& sender)
{
    if (didUpdateVersion(Defaults)) showSharedWindow(sender);
}

WelcomeWindowController::WelcomeWindowController() : WindowController(makeWelcomeWindow()), buildsOwnWindow_(true) {}

WelcomeWindowController::WelcomeWindowController(std::shared_ptr<ui::Window> window)
    : WindowController(std::move(window))
{
}

void WelcomeWindowController::awake()
{
    WindowController::awake();
    if (buildsOwnWindow_) windowDidLoad();
}

void WelcomeWindowController::windowDidLoad()
{
    WindowController::windowDidLoad();
    if (auto window = this->window()) window->setContentView(webView());
    resetContent();
}

std::shared_ptr<ui::WebView> WelcomeWindowController::webView()
{
    if (webView_) return webView_;
    auto window = this->window();
    auto content = window ? window->contentView() : nullptr;
    webView_ = core::make<ui::WebView>(content ? content->frame() : gfx::Rect{});
    std::weak_ptr<WelcomeWindowController> weak = sharedAs<WelcomeWindowController>();
    webView_->addScriptMessageHandler(closeMessage, [weak](const std::string& name) {
        if (auto self = weak.lock()) self->userContentControllerDidReceive(name);
    });
    return webView_;
}

void WelcomeWindowController::resetContent()
{
    const auto url = urlForHTMLResource(*MB.get(), "index", "WelcomeHTML");
    if (!url) {
        core::print("Welcome HTML content was not found (expected in a subdirectory named WelcomeHTML)");
        return;
    }
    const auto html = core::readUTF8(url->path());
    if (!html) {
        core::print("Cannot load welcome content at " + url->absoluteString());
        return;
    }
    webView()->loadHTMLString(*html, url->deletingLastPathComponent());
}

void WelcomeWindowController::userContentControllerDidReceive(const std::string& messageName)
{
    if (messageName != closeMessage) return;
    if (auto window = this->window()) window->orderOut(nullptr);
    resetContent();
}

}  // namespace kestrane
