// Notices shown by the desktop's notification service (over D-Bus), else as the message of a tray icon, also
// while the program is active. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/object.h"

namespace ui {

class UserNotification : public core::Object {
public:
    std::string title() const { return title_; }
    void setTitle(const std::string& title) { title_ = title; }
    std::string informativeText() const { return informativeText_; }
    void setInformativeText(const std::string& text) { informativeText_ = text; }
    bool isPresented() const { return presented_; }

private:
    friend class UserNotificationCenter;
    std::string title_;
    std::string informativeText_;
    bool presented_ = false;
};

class UserNotificationCenterDelegate {
public:
    virtual ~UserNotificationCenterDelegate() = default;
    // Asked before a notice shows; notices show by default here, active or not.
    virtual bool shouldPresent(const std::shared_ptr<UserNotification>& notification) { return true; }
    virtual void didDeliver(const std::shared_ptr<UserNotification>& notification) {}
};

class UserNotificationCenter {
public:
    static UserNotificationCenter& defaultCenter();

    std::shared_ptr<UserNotificationCenterDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<UserNotificationCenterDelegate>& delegate) { delegate_ = delegate; }
    // Shows the notice when the delegate lets it: through the notification service, or when the session has
    // none (or it refuses), through the system tray; isPresented() tells whether either took it. The delegate
    // hears of the delivery either way.
    void deliver(const std::shared_ptr<UserNotification>& notification);
    const std::vector<std::shared_ptr<UserNotification>>& deliveredNotifications() const { return delivered_; }

private:
    UserNotificationCenter() = default;
    std::weak_ptr<UserNotificationCenterDelegate> delegate_;
    std::vector<std::shared_ptr<UserNotification>> delivered_;
};

}  // namespace ui
