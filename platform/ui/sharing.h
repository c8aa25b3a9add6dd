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
class SharingService;
class SharingServicePicker;
class View;
class Window;

// One thing to share: a picture, a file or a text.
struct SharingItem {
    gfx::ImageRef image;
    std::optional<core::Url> url;
    std::string text;
};

// What a service may ask of the one sharing: where the item shows on screen, a picture for the transition and
// the window sharing it. Our services ask nothing (they show no transition); the answers are accepted, unused.
class SharingServiceDelegate {
public:
    virtual ~SharingServiceDelegate() = default;
    virtual gfx::Rect sourceFrameOnScreenForShareItem(SharingService& service, const SharingItem& item) { return {}; }
    virtual gfx::ImageRef transitionImageForShareItem(SharingService& service, const SharingItem& item,
                                                      gfx::Rect* contentRect)
    {
        return nullptr;
    }
    virtual std::shared_ptr<Window> sourceWindowForShareItems(SharingService& service,
                                                              const std::vector<SharingItem>& items, int* scope)
    {
        return nullptr;
    }
};

class SharingServicePickerDelegate {
public:
    virtual ~SharingServicePickerDelegate() = default;
    // The delegate to give the service the user chose from the picker; none by default.
    virtual std::shared_ptr<SharingServiceDelegate> delegateForSharingService(SharingServicePicker& picker,
                                                                              SharingService& service)
    {
        return nullptr;
    }
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
    // Opens the message; false when no mail program took it, the user then told so in an alert.
    bool perform(const std::vector<SharingItem>& items);
    std::shared_ptr<SharingServiceDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<SharingServiceDelegate>& delegate) { delegate_ = delegate; }

private:
    std::weak_ptr<SharingServiceDelegate> delegate_;
    std::vector<std::string> recipients_;
    std::string subject_;
};

class SharingServicePicker : public Responder {
public:
    explicit SharingServicePicker(std::vector<SharingItem> items) : items_(std::move(items)) {}
    void awake() override;

    const std::vector<SharingItem>& items() const { return items_; }
    // Asked for the delegate of the mail service when the user chooses Email.
    std::shared_ptr<SharingServicePickerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<SharingServicePickerDelegate>& delegate) { delegate_ = delegate; }
    // The picker's menu: Copy, Save As…, Open in Default Application, Email.
    std::shared_ptr<Menu> menu() const { return menu_; }
    // Shows the menu beside `rect` of `view` at `edge`, in the view's own space (maxY is the visual top unless
    // the view is flipped); the menu keeps to the screen.
    virtual void show(const gfx::Rect& rect, const std::shared_ptr<View>& view, RectEdge edge);

private:
    // The menu's actions. Save As writes the first picture where the user chooses; a failure is told in an alert.
    void copyItems();
    void saveItems();
    void openItems();
    void emailItems();
    // The items' pictures as PNG files in a fresh temporary folder, and their files.
    std::vector<core::Url> filesOfItems() const;

    std::vector<SharingItem> items_;
    std::shared_ptr<Menu> menu_;
    std::weak_ptr<SharingServicePickerDelegate> delegate_;
};

}  // namespace ui
