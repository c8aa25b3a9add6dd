// The per-user store of preferences: string keys to typed values. A value comes back with the kind it was
// stored with, and typed getters never convert (a value of another kind reads as absent). Every change is
// written through to the storage at once. Safe from any thread.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/core/defaults_storage.h"
#include "platform/core/mutex.h"
#include "platform/core/user_notices.h"
#include "platform/core/value.h"

namespace core {

class UserDefaults {
public:
    // The application's store, made once per process: $XDG_CONFIG_HOME/<main bundle identifier>.plist
    // (~/.config when XDG_CONFIG_HOME is unset; the executable's name when the bundle has no identifier).
    static const std::shared_ptr<UserDefaults>& standard();
    static std::string standardPath();

    // A store kept in the property-list file at `path`.
    explicit UserDefaults(const std::string& path);
    explicit UserDefaults(std::unique_ptr<DefaultsStorage> storage);
    // Posted on the changing thread after a key's value changed or went away; userInfo "key" holds the key.
    static constexpr const char* didChangeNotification = "NSUserDefaultsDidChangeNotification";

    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;

    std::optional<Value> object(const std::string& key) const;
    std::optional<std::string> string(const std::string& key) const;
    std::optional<Array> array(const std::string& key) const;
    std::optional<Dictionary> dictionary(const std::string& key) const;
    std::optional<Data> data(const std::string& key) const;
    std::optional<Date> date(const std::string& key) const;

    // Stores the value; a null value removes the key. A key or value that could not come back exactly (an
    // array or dictionary holding a null; a string with a NUL, a control character other than tab, line feed
    // and carriage return, U+FFFE or invalid UTF-8) is refused: false, and the key keeps its value.
    [[nodiscard]] bool set(const std::string& key, Value value);
    void remove(const std::string& key);
    // Writes the values again when an earlier write failed; true when the storage holds every change. Every
    // change is written at once; when writing fails, the user is told once (core::UserNotices), and again
    // only after a write has worked.
    [[nodiscard]] bool synchronize();
    // Keeps a copy of the stored values aside (DefaultsStorage::keepCopyAside); what became of it, in words.
    std::string keepStoredCopyAside();

private:
    // The notice to post (outside the lock) when this save failed first.
    std::optional<UserNotice> saveLocked() REQUIRES(mutex_);
    static void tell(const std::optional<UserNotice>& notice);
    static void announceChange(const std::string& key);

    mutable Mutex mutex_;  // guards the values, the storage and what became of the last save
    const std::unique_ptr<DefaultsStorage> storage_ PT_GUARDED_BY(mutex_);
    Dictionary values_ GUARDED_BY(mutex_);
    bool dirty_ GUARDED_BY(mutex_) = false;
    bool failureTold_ GUARDED_BY(mutex_) = false;
};

}  // namespace core
