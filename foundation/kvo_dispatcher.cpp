#include "foundation/kvo_dispatcher.h"

#include <algorithm>

#include "platform/core/print.h"

namespace kestrane {

namespace {

std::intptr_t identity(const core::Object* object) { return reinterpret_cast<std::intptr_t>(object); }

void reportRemovalError(const std::string& error, const core::Object* observer,
                        const std::shared_ptr<core::Observable>& object, const std::string& keyPath)
{
    core::print("KVO error: " + error);
    core::print("observer: " + (observer ? observer->description() : std::string("nil")) +
                " observable: " + (object ? object->description() : std::string("nil")) + " keyPath: " + keyPath);
}

}  // namespace

KVODispatcher::KVODispatcher() = default;

KVODispatcher::~KVODispatcher() = default;

void KVODispatcher::addObserver(const core::Object* observer, const std::shared_ptr<core::Observable>& object,
                                const std::string& keyPath, KVOObserver::Block block)
{
    std::weak_ptr<const core::Object> weakObserver =
        observer ? observer->weak_from_this() : std::weak_ptr<const core::Object>();
    const bool tracked = !weakObserver.expired();
    // A block of an observing object that is gone is never called; a live one is kept alive for the call.
    auto guarded = [weakObserver, tracked, block = std::move(block)](const core::KeyValueChange& change) {
        const auto alive = weakObserver.lock();
        if (tracked && !alive) return;
        block(change);
    };
    auto registration = core::make<KVOObserver>(object, keyPath, std::move(guarded));
    registration->startObservation();

    std::vector<Registrations> gone;  // stopped once the lock is released
    {
        core::MutexLock lock(mutex_);
        // Lists of observing objects that are gone go first, so that an object at a reused address starts afresh.
        for (auto it = observersDict_.begin(); it != observersDict_.end();) {
            if (it->second.observerIsGone()) {
                gone.push_back(std::move(it->second));
                it = observersDict_.erase(it);
            } else {
                ++it;
            }
        }
        auto [entry, added] = observersDict_.try_emplace(identity(observer));
        if (added) {
            entry->second.observer = weakObserver;
            entry->second.tracked = tracked;
        }
        entry->second.observers.push_back(std::move(registration));
    }
}

void KVODispatcher::removeObserver(const core::Object* observer, const std::shared_ptr<core::Observable>& object,
                                   const std::string& keyPath)
{
    std::shared_ptr<KVOObserver> removed;
    Registrations stale;  // stopped once the lock is released
    const char* error = nullptr;
    {
        core::MutexLock lock(mutex_);
        auto entry = observersDict_.find(identity(observer));
        // The list of a dead object found at the address of a live one is stale.
        if (entry != observersDict_.end() && entry->second.observerIsGone() && observer &&
            !observer->weak_from_this().expired()) {
            stale = std::move(entry->second);
            observersDict_.erase(entry);
            entry = observersDict_.end();
        }
        if (entry == observersDict_.end()) {
            error = "Attempt to remove an object which is not observing";
        } else {
            auto& observers = entry->second.observers;
            const auto found = std::find_if(observers.begin(), observers.end(), [&](const auto& registration) {
                const auto observed = registration->observable();
                return observed && observed == object && registration->keyPath() == keyPath;
            });
            if (found == observers.end()) {
                error = "Attempt to remove an object which is not observed for the expected path";
            } else {
                removed = std::move(*found);
                observers.erase(found);
                if (observers.empty()) observersDict_.erase(entry);
            }
        }
    }
    if (error) {
        reportRemovalError(error, observer, object, keyPath);
        return;
    }
    removed->stopObservation();
}

void KVODispatcher::removeObserversOfGoneObjects(const core::Object* observer)
{
    std::vector<std::shared_ptr<KVOObserver>> gone;  // stopped once the lock is released
    {
        core::MutexLock lock(mutex_);
        auto entry = observersDict_.find(identity(observer));
        if (entry == observersDict_.end()) return;
        auto& observers = entry->second.observers;
        for (auto it = observers.begin(); it != observers.end();) {
            if ((*it)->observable()) {
                ++it;
            } else {
                gone.push_back(std::move(*it));
                it = observers.erase(it);
            }
        }
        if (observers.empty()) observersDict_.erase(entry);
    }
    for (auto& registration : gone)
        registration->stopObservation();
}

std::string KVODispatcher::description() const
{
    core::MutexLock lock(mutex_);
    if (observersDict_.empty()) return "KVODispatcher<[:]>";
    std::string text = "KVODispatcher<[";
    bool firstEntry = true;
    for (const auto& [key, registrations] : observersDict_) {
        text += (firstEntry ? "" : ", ") + std::to_string(key) + ": [";
        firstEntry = false;
        bool firstObserver = true;
        for (const auto& registration : registrations.observers) {
            text += (firstObserver ? "" : ", ") + registration->description();
            firstObserver = false;
        }
        text += "]";
    }
    return text + "]>";
}

KVODispatcher& KVO()
{
    // Never destroyed: observations may be removed by objects that outlive every static.
    static auto* dispatcher = new KVODispatcher;
    return *dispatcher;
}

}  // namespace kestrane
