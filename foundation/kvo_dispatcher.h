// The registry of change observations made on behalf of observing objects: an object adds and removes
// observations by (object, key path) without keeping the KVOObserver itself. Registrations are listed per
// observing object, in the order they were added; the same triple added twice is two registrations. An
// observing object that takes part in shared ownership is held weakly: once it is gone its blocks are never
// called again and its registrations are dropped. One that does not (still being constructed, say) counts by
// its address only and must remove its registrations before it goes. Safe from any thread.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/kvo_observer.h"
#include "platform/core/mutex.h"
#include "platform/core/object.h"
#include "platform/core/observable.h"

namespace kestrane {

class KVODispatcher {
public:
    KVODispatcher();
    virtual ~KVODispatcher();
    KVODispatcher(const KVODispatcher&) = delete;
    KVODispatcher& operator=(const KVODispatcher&) = delete;

    // Observes `keyPath` of `object` for `observer`; `block` runs once with the current value before this
    // returns, then after every change.
    virtual void addObserver(const core::Object* observer, const std::shared_ptr<core::Observable>& object,
                             const std::string& keyPath, KVOObserver::Block block);
    // Stops and removes the oldest registration of `observer` for `object` and `keyPath`; prints a "KVO error"
    // line and the details when there is none.
    virtual void removeObserver(const core::Object* observer, const std::shared_ptr<core::Observable>& object,
                                const std::string& keyPath);

    // Stops and removes the registrations of `observer` whose observed object is gone: they can no longer be
    // named for removeObserver, and would otherwise stay filed under the observer for good.
    virtual void removeObserversOfGoneObjects(const core::Object* observer);

    std::string description() const;

private:
    // The registrations of one observing object.
    struct Registrations {
        std::weak_ptr<const core::Object> observer;
        bool tracked = false;  // whether `observer` was shared when it first registered
        std::vector<std::shared_ptr<KVOObserver>> observers;

        bool observerIsGone() const { return tracked && observer.expired(); }
    };

    mutable core::Mutex mutex_;  // guards the registrations
    std::map<std::intptr_t, Registrations>
        observersDict_ GUARDED_BY(mutex_);  // keyed by the observing object's address
};

// The one dispatcher the whole program shares, created on first use.
KVODispatcher& KVO();

// Marks classes whose instances observe through the dispatcher; it requires nothing and the dispatcher does not
// use it.
class KVOObserving {
public:
    virtual ~KVOObserving() = default;
};

}  // namespace kestrane
