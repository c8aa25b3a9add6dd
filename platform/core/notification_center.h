// Broadcasts named notifications to the handlers registered for them. Delivery is synchronous, on the posting
// thread, in registration order, before `post` returns. The centre retains nothing: an owner or an object that
// takes part in shared ownership is held weakly (a handler whose owner is gone is never called again); other
// owners and objects count by identity only, and such an owner removes its registrations before it goes.
// Safe from any thread.
#pragma once

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/mutex.h"
#include "platform/core/object.h"

namespace core {

using UserInfo = std::map<std::string, std::any>;

struct Notification {
    std::string name;
    std::shared_ptr<Object> object;
    UserInfo userInfo;
};

class NotificationCenter {
public:
    using Handler = std::function<void(const Notification&)>;

    static NotificationCenter& defaultCenter();

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // Calls `handler` for each notification named `name` (empty: any name) posted with `object` (null: any).
    void addObserver(const Object* owner, std::string name, const Object* object, Handler handler);
    // Removes every registration of `owner`; a registration removed during a delivery is not called afterwards.
    void removeObserver(const Object* owner);
    // Removes the registrations of `owner` made for `name` (empty: any) and `object` (null: any).
    void removeObserver(const Object* owner, const std::string& name, const Object* object);

    void post(const std::string& name, std::shared_ptr<Object> object = nullptr, UserInfo userInfo = {});

private:
    struct Registration;

    Mutex mutex_;  // guards the registrations
    std::vector<std::shared_ptr<Registration>> registrations_ GUARDED_BY(mutex_);
};

}  // namespace core
