// Global shortcuts to the platform's shared objects: `Defaults` (the standard user defaults), `MB` (the main
// bundle) and `NC` (the default notification centre). Each forwards to the platform's one instance, made once on
// first use and safe from any thread.
#pragma once

#include <memory>
#include <string>

#include "foundation/user_defaults_proxy.h"
#include "platform/core/bundle.h"
#include "platform/core/notification_center.h"
#include "platform/core/user_defaults.h"

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

inline constexpr DefaultsShortcut Defaults{};
inline constexpr MainBundleShortcut MB{};
inline constexpr NotificationCenterShortcut NC{};

}  // namespace kestrane
