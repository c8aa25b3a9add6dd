// The welcome window: one fixed-size window per process showing the main bundle's page
// "WelcomeHTML/index.html", which hides the window by posting the message "closeWelcomeWindow"; the window
// can be offered only on the first launch after a version update. Main thread only; messages arrive on it.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/web_view.h"
#include "platform/ui/window_controller.h"

namespace kestrane {

class WelcomeWindowController : public ui::WindowController {
public:
    // Made on first use, kept for the life of the process.
    static std::shared_ptr<WelcomeWindowController> sharedController();
    // Shows the shared controller's window.
    static void showSharedWindow(const std::shared_ptr<core::Object>& sender);
    // Shows it only on the first launch after a version update.
    static void showSharedWindowIfUpdate(const std::shared_ptr<core::Object>& sender);

    // Builds the 760 x 600 window that cannot be resized; awake() shows the page in it.
    WelcomeWindowController();
    // Only takes the window: no web view, no page.
    explicit WelcomeWindowController(std::shared_ptr<ui::Window> window);
    // For the window built here, runs windowDidLoad (the window comes from no interface file).
    void awake() override;

    // The web view becomes the window's content view, then the page is loaded.
    void windowDidLoad() override;
    // (Re)loads the page, with its folder as the base of relative links; prints a line when it is missing or
    // cannot be read.
    virtual void resetContent();
    // A message posted by the page: "closeWelcomeWindow" hides the window and reloads the page; others are
    // ignored.
    void userContentControllerDidReceive(const std::string& messageName);

private:
    // Made on first use with the frame of the window's content view, the message handler registered.
    std::shared_ptr<ui::WebView> webView();

    std::shared_ptr<ui::WebView> webView_;
    bool buildsOwnWindow_ = false;
};

}  // namespace kestrane
