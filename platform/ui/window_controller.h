// Manages a window: given one, or loaded on first use from the registered interface of windowNibName()
// (windowWillLoad, loadWindow, windowDidLoad). Owns its window; the window's controller is this. When the last
// window of a document closes, the document closes. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/responder.h"

namespace ui {

class Window;

class WindowController : public Responder {
public:
    explicit WindowController(std::shared_ptr<Window> window);
    explicit WindowController(std::string windowNibName);
    void awake() override;

    std::shared_ptr<Window> window();
    void setWindow(const std::shared_ptr<Window>& window);
    bool isWindowLoaded() const { return window_ != nullptr; }
    const std::string& windowNibName() const { return nibName_; }

    virtual void windowWillLoad() {}
    // Builds the interface named windowNibName(); the builder sets the window.
    virtual void loadWindow();
    virtual void windowDidLoad() {}
    // Brings the window forward as key.
    virtual void showWindow(const std::shared_ptr<core::Object>& sender);
    virtual void close();

    // The object an interface built by loadWindow belongs to (its outlets are set on it); this controller
    // unless set (a document sets itself).
    void setNibOwner(const std::shared_ptr<core::Object>& owner) { nibOwner_ = owner; }

    // The document the window shows, which follows the controller in the responder chain.
    std::shared_ptr<Responder> document() const { return document_.lock(); }
    void setDocument(const std::shared_ptr<Responder>& document) { document_ = document; }

private:
    void adoptWindow();
    void windowWillClose();

    std::string nibName_;
    std::shared_ptr<Window> window_;
    std::weak_ptr<Responder> document_;
    std::weak_ptr<core::Object> nibOwner_;
    bool loading_ = false;
};

}  // namespace ui
