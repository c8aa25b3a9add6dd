#include "platform/core/notification_center.h"

#include <algorithm>
#include <atomic>

namespace core {

namespace {

// An object held weakly when it is shared, by identity alone otherwise.
struct WeakIdentity {
    explicit WeakIdentity(const Object* object)
        : address(object), reference(object ? object->weak_from_this() : std::weak_ptr<const Object>()),
          tracked(!reference.expired())
    {
    }

    bool isGone() const { return tracked && reference.expired(); }

    const Object* address;
    std::weak_ptr<const Object> reference;
    bool tracked;
};

}  // namespace

struct NotificationCenter::Registration {
    WeakIdentity owner;
    std::string name;
    WeakIdentity object;
    Handler handler;
    std::atomic<bool> active{true};

    bool matches(const std::string& postedName, const Object* postedObject) const
    {
        return (name.empty() || name == postedName) &&
               (!object.address || (object.address == postedObject && !object.isGone()));
    }
};

NotificationCenter& NotificationCenter::defaultCenter()
{
    // Never destroyed: threads may post while the process ends.
    static auto* center = new NotificationCenter;
    return *center;
}

void NotificationCenter::addObserver(const Object* owner, std::string name, const Object* object, Handler handler)
{
    auto registration = std::shared_ptr<Registration>(
        new Registration{WeakIdentity(owner), std::move(name), WeakIdentity(object), std::move(handler)});
    MutexLock lock(mutex_);
    // Registrations of owners that are gone are dropped here, so that a new owner at the same address never
    // inherits them.
    std::erase_if(registrations_, [](const auto& r) { return r->owner.isGone(); });
    registrations_.push_back(std::move(registration));
}

void NotificationCenter::removeObserver(const Object* owner) { removeObserver(owner, std::string(), nullptr); }

void NotificationCenter::removeObserver(const Object* owner, const std::string& name, const Object* object)
{
    MutexLock lock(mutex_);
    std::erase_if(registrations_, [&](const std::shared_ptr<Registration>& r) {
        const bool removed = r->owner.isGone() || (r->owner.address == owner && (name.empty() || r->name == name) &&
                                                   (!object || r->object.address == object));
        if (removed) r->active = false;
        return removed;
    });
}

void NotificationCenter::post(const std::string& name, std::shared_ptr<Object> object, UserInfo userInfo)
{
    const Notification notification{name, std::move(object), std::move(userInfo)};
    std::vector<std::shared_ptr<Registration>> receivers;
    {
        MutexLock lock(mutex_);
        for (const auto& r : registrations_)
            if (r->matches(name, notification.object.get())) receivers.push_back(r);
    }
    for (const auto& r : receivers) {
        // The owner is kept alive for the call; one that is gone, or a registration removed meanwhile, is skipped.
        const auto owner = r->owner.reference.lock();
        if (!r->active || (r->owner.tracked && !owner)) continue;
        r->handler(notification);
    }
}

}  // namespace core
