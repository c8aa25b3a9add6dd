#include "platform/core/observable.h"

#include <algorithm>
#include <atomic>

namespace core {

namespace {
std::atomic<ObservationId> lastId{0};
}

struct Observable::Registration {
    ObservationId id;
    std::string key;
    Callback callback;
    ObserveOptions options;
    std::atomic<bool> active{true};
};

ObservationId Observable::addObserver(const std::string& key, Callback callback, ObserveOptions options)
{
    auto registration = std::shared_ptr<Registration>(new Registration{++lastId, key, std::move(callback), options});
    {
        MutexLock lock(mutex_);
        registrations_.push_back(registration);
    }
    if (contains(options, ObserveOptions::initial)) deliver(*registration, key);
    return registration->id;
}

bool Observable::removeObserver(ObservationId id)
{
    MutexLock lock(mutex_);
    const auto found = std::find_if(registrations_.begin(), registrations_.end(),
                                    [id](const auto& registration) { return registration->id == id; });
    if (found == registrations_.end()) return false;
    (*found)->active = false;
    registrations_.erase(found);
    return true;
}

void Observable::exposeKey(const std::string& key, Getter getter, Setter setter)
{
    MutexLock lock(mutex_);
    keys_[key] = Accessors{std::move(getter), std::move(setter)};
}

void Observable::didChange(const std::string& key)
{
    std::vector<std::shared_ptr<Registration>> observers;
    {
        MutexLock lock(mutex_);
        for (const auto& registration : registrations_)
            if (registration->key == key) observers.push_back(registration);
    }
    for (const auto& registration : observers)
        deliver(*registration, key);
}

void Observable::deliver(const Registration& registration, const std::string& key)
{
    if (!registration.active) return;
    KeyValueChange change{key, {}};
    if (contains(registration.options, ObserveOptions::newValue)) change.newValue = valueForKey(key);
    registration.callback(change);
}

std::any Observable::valueForKey(const std::string& key) const
{
    Getter getter;
    {
        MutexLock lock(mutex_);
        const auto found = keys_.find(key);
        if (found == keys_.end() || !found->second.getter) return {};
        getter = found->second.getter;
    }
    return getter();
}

bool Observable::setValueForKey(const std::string& key, const std::any& value)
{
    Setter setter;
    {
        MutexLock lock(mutex_);
        const auto found = keys_.find(key);
        if (found == keys_.end() || !found->second.setter) return false;
        setter = found->second.setter;
    }
    setter(value);
    return true;
}

}  // namespace core
