// Global shortcuts to the platform's shared objects: `Defaults` (the standard user defaults), `MB` (the main
// bundle), `NC` (the default notification centre), `FM` (the default file manager), `DC` (the shared document
// controller) and `UNC` (the default user notification centre). Each forwards to the platform's one instance,
// made once on first use. The first four are safe from any thread; DC and UNC belong to the main thread.
#pragma once

#include <memory>
#include <string>

#include "foundation/user_defaults_proxy.h"
#include "platform/core/bundle.h"
#include "platform/core/file_manager.h"
#include "platform/core/notification_center.h"
#include "platform/core/user_defaults.h"
#include "platform/ui/document_controller.h"
#include "platform/ui/user_notification.h"

namespace kestrane {

struct DefaultsShortcut {
    const std::shared_ptr<core::UserDefaults>& get() const { return core::UserDefaults::standard(); }
    operator const std::shared_ptr<core::UserDefaults>&() const { return get(); }
    core::UserDefaults* operator->() const { return get().get(); }
    core::UserDefaults& operator*() const { return *get(); }
    UserDefaults::Proxy operator[](const std::string& key) const { return subscript(get(), key); }
};

struct MainBundleShortcut {
    std::shared_ptr<const core::Bundle> get() const { return core::Bundle::main(); }
    operator std::shared_ptr<const core::Bundle>() const { return get(); }
    std::shared_ptr<const core::Bundle> operator->() const { return get(); }
};

struct NotificationCenterShortcut {
    core::NotificationCenter& get() const { return core::NotificationCenter::defaultCenter(); }
    operator core::NotificationCenter&() const { return get(); }
    core::NotificationCenter* operator->() const { return &get(); }
    core::NotificationCenter& operator*() const { return get(); }
};

struct FileManagerShortcut {
    std::shared_ptr<core::FileManager> get() const { return core::FileManager::defaultManager(); }
    operator std::shared_ptr<core::FileManager>() const { return get(); }
    std::shared_ptr<core::FileManager> operator->() const { return get(); }
};

struct DocumentControllerShortcut {
    std::shared_ptr<ui::DocumentController> get() const { return ui::DocumentController::shared(); }
    operator std::shared_ptr<ui::DocumentController>() const { return get(); }
    std::shared_ptr<ui::DocumentController> operator->() const { return get(); }
};

struct UserNotificationCenterShortcut {
    ui::UserNotificationCenter& get() const { return ui::UserNotificationCenter::defaultCenter(); }
    operator ui::UserNotificationCenter&() const { return get(); }
    ui::UserNotificationCenter* operator->() const { return &get(); }
    ui::UserNotificationCenter& operator*() const { return get(); }
};

inline constexpr DefaultsShortcut Defaults{};
inline constexpr MainBundleShortcut MB{};
inline constexpr NotificationCenterShortcut NC{};
inline constexpr FileManagerShortcut FM{};
inline constexpr DocumentControllerShortcut DC{};
inline constexpr UserNotificationCenterShortcut UNC{};

}  // namespace kestrane
