// Change observation of an object's keys: an object exposes keys with a getter (and a setter), calls
// didChange(key) from its setters, and observers registered for a key are told of every change, also one that
// leaves the value unchanged, on the changing thread before the setter returns. Only the new value is given.
// Registrations die with the observable. Safe from any thread.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/mutex.h"
#include "platform/core/object.h"

namespace core {

struct KeyValueChange {
    std::string key;
    std::any newValue;  // empty unless the observation asked for new values
};

enum class ObserveOptions : unsigned {
    none = 0,
    newValue = 1,  // changes carry the new value
    initial = 2,   // the callback runs once inside addObserver, with the current value
};

constexpr ObserveOptions operator|(ObserveOptions a, ObserveOptions b)
{
    return static_cast<ObserveOptions>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

constexpr bool contains(ObserveOptions options, ObserveOptions option)
{
    return (static_cast<unsigned>(options) & static_cast<unsigned>(option)) != 0;
}

using ObservationId = std::uint64_t;

class Observable : public Object {
public:
    using Callback = std::function<void(const KeyValueChange&)>;
    using Getter = std::function<std::any()>;
    using Setter = std::function<void(const std::any&)>;

    // Ids are never 0 and never reused within a process.
    ObservationId addObserver(const std::string& key, Callback callback,
                              ObserveOptions options = ObserveOptions::newValue);
    // False when no such registration exists (any more). A registration removed while its callback runs on
    // another thread may finish that call.
    bool removeObserver(ObservationId id);

    // Makes `key` readable (and writable when `setter` is given) through valueForKey/setValueForKey.
    void exposeKey(const std::string& key, Getter getter, Setter setter = {});
    // Tells the observers of `key`; setters call it after storing the value.
    void didChange(const std::string& key);

    // The value of an exposed key; empty for a key that was never exposed.
    std::any valueForKey(const std::string& key) const;
    // Calls the key's setter, which stores the value and calls didChange; false when the key has no setter.
    bool setValueForKey(const std::string& key, const std::any& value);

private:
    struct Registration;
    struct Accessors {
        Getter getter;
        Setter setter;
    };

    void deliver(const Registration& registration, const std::string& key);

    mutable Mutex mutex_;  // guards the registrations and the keys' accessors
    std::vector<std::shared_ptr<Registration>> registrations_ GUARDED_BY(mutex_);
    std::map<std::string, Accessors> keys_ GUARDED_BY(mutex_);
};

}  // namespace core
