// A message with up to several buttons, run modally or as a sheet on a window. The first button added is the
// default one; the response is 1000 + the index of the button chosen. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/object.h"
#include "platform/ui/modal_response.h"

namespace ui {

class Window;

enum class AlertStyle { warning = 0, informational = 1, critical = 2 };

class Alert : public core::Object {
public:
    struct Impl;
    Alert();
    ~Alert() override;

    std::string messageText() const { return messageText_; }
    void setMessageText(const std::string& text) { messageText_ = text; }
    std::string informativeText() const { return informativeText_; }
    void setInformativeText(const std::string& text) { informativeText_ = text; }
    AlertStyle alertStyle() const { return style_; }
    void setAlertStyle(AlertStyle style) { style_ = style; }
    void addButton(const std::string& title) { buttons_.push_back(title); }
    const std::vector<std::string>& buttonTitles() const { return buttons_; }

    // Shows the alert and waits for a button; an alert without buttons gets an "OK" one.
    ModalResponse runModal();
    // Shows the alert over `window` and returns at once; `completion` (may be empty) runs after it closed.
    void beginSheetModal(const std::shared_ptr<Window>& window, std::function<void(ModalResponse)> completion);

private:
    std::string messageText_;
    std::string informativeText_;
    AlertStyle style_ = AlertStyle::warning;
    std::vector<std::string> buttons_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
