// Sharing pictures and files: a menu shown beside a view offering to copy them (PNG), save them, open them in
// the default application or mail them; and the mail service, which opens a new message with recipients,
// subject and text in the desktop's mail program. Main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/url.h"
#include "platform/gfx/image.h"
#include "platform/ui/popover.h"
#include "platform/ui/responder.h"

namespace ui {

class Menu;
class View;

// One thing to share: a picture, a file or a text.
struct SharingItem {
    gfx::ImageRef image;
    std::optional<core::Url> url;
    std::string text;
};

class SharingService : public core::Object {
public:
    static constexpr const char* composeEmail = "com.apple.share.Mail.compose";
    // Null for a service other than composeEmail.
    static std::shared_ptr<SharingService> named(const std::string& name);

    const std::vector<std::string>& recipients() const { return recipients_; }
    void setRecipients(const std::vector<std::string>& recipients) { recipients_ = recipients; }
    std::string subject() const { return subject_; }
    void setSubject(const std::string& subject) { subject_ = subject; }
    // The mailto: link of a message with the items' texts as its body.
    std::string mailtoLink(const std::vector<SharingItem>& items) const;
    // Opens the message; false when no mail program took it.
    bool perform(const std::vector<SharingItem>& items);

private:
    std::vector<std::string> recipients_;
    std::string subject_;
};

class SharingServicePicker : public Responder {
public:
    explicit SharingServicePicker(std::vector<SharingItem> items) : items_(std::move(items)) {}
    void awake() override;

    const std::vector<SharingItem>& items() const { return items_; }
    // The picker's menu: Copy, Save As…, Open in Default Application, Email.
    std::shared_ptr<Menu> menu() const { return menu_; }
    // Shows the menu beside `rect` of `view` at `edge`, in the view's own space (maxY is the visual top unless
    // the view is flipped); the menu keeps to the screen.
    virtual void show(const gfx::Rect& rect, const std::shared_ptr<View>& view, RectEdge edge);

private:
    // The items' pictures as PNG files in a fresh temporary folder, and their files.
    std::vector<core::Url> filesOfItems() const;

    std::vector<SharingItem> items_;
    std::shared_ptr<Menu> menu_;
};

}  // namespace ui
