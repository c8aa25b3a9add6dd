#include "platform/core/user_defaults.h"

#include <cstdlib>
#include <filesystem>

#include "platform/core/bundle.h"
#include "platform/core/notification_center.h"
#include "platform/core/property_list.h"

namespace core {

const std::shared_ptr<UserDefaults>& UserDefaults::standard()
{
    static const std::shared_ptr<UserDefaults> instance = std::make_shared<UserDefaults>(standardPath());
    return instance;
}

std::string UserDefaults::standardPath()
{
    std::filesystem::path folder;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::filesystem::path(home ? home : "/tmp") / ".config";
    }
    const auto bundle = Bundle::main();
    std::string name = bundle->identifier().value_or("");
    if (name.empty()) {
        name = std::filesystem::path(bundle->path()).stem().string();
    }
    return (folder / (name + ".plist")).string();
}

UserDefaults::UserDefaults(const std::string& path) : UserDefaults(std::make_unique<FileDefaultsStorage>(path)) {}

UserDefaults::UserDefaults(std::unique_ptr<DefaultsStorage> storage) : storage_(std::move(storage))
{
    if (auto stored = storage_->load()) values_ = std::move(*stored);
}

std::optional<Value> UserDefaults::object(const std::string& key) const
{
    MutexLock lock(mutex_);
    const Value* value = values_.find(key);
    if (!value) return std::nullopt;
    return *value;
}

std::optional<std::string> UserDefaults::string(const std::string& key) const
{
    const auto value = object(key);
    return value ? value->string() : std::nullopt;
}

std::optional<Array> UserDefaults::array(const std::string& key) const
{
    const auto value = object(key);
    return value ? value->array() : std::nullopt;
}

std::optional<Dictionary> UserDefaults::dictionary(const std::string& key) const
{
    const auto value = object(key);
    return value ? value->dictionary() : std::nullopt;
}

std::optional<Data> UserDefaults::data(const std::string& key) const
{
    const auto value = object(key);
    return value ? value->data() : std::nullopt;
}

std::optional<Date> UserDefaults::date(const std::string& key) const
{
    const auto value = object(key);
    return value ? value->date() : std::nullopt;
}

bool UserDefaults::set(const std::string& key, Value value)
{
    if (value.isNull()) {
        remove(key);
        return true;
    }
    if (!PropertyList::canCarry(key) || !PropertyList::canCarry(value)) return false;
    std::optional<UserNotice> notice;
    {
        MutexLock lock(mutex_);
        const Value* current = values_.find(key);
        if (current && *current == value) return true;
        values_.set(key, std::move(value));
        notice = saveLocked();
    }
    tell(notice);
    announceChange(key);
    return true;
}

void UserDefaults::remove(const std::string& key)
{
    std::optional<UserNotice> notice;
    {
        MutexLock lock(mutex_);
        if (!values_.remove(key)) return;
        notice = saveLocked();
    }
    tell(notice);
    announceChange(key);
}

void UserDefaults::announceChange(const std::string& key)
{
    NotificationCenter::defaultCenter().post(didChangeNotification, nullptr, {{"key", key}});
}

std::string UserDefaults::keepStoredCopyAside()
{
    MutexLock lock(mutex_);
    return storage_->keepCopyAside();
}

bool UserDefaults::synchronize()
{
    std::optional<UserNotice> notice;
    bool saved = true;
    {
        MutexLock lock(mutex_);
        if (dirty_) notice = saveLocked();
        saved = !dirty_;
    }
    tell(notice);
    return saved;
}

std::optional<UserNotice> UserDefaults::saveLocked()
{
    dirty_ = !storage_->save(values_);
    if (!dirty_) {
        failureTold_ = false;
        return std::nullopt;
    }
    if (failureTold_) return std::nullopt;
    failureTold_ = true;
    const std::string reason = storage_->failureReason();
    return UserNotice{"Your settings could not be saved.",
                      (reason.empty() ? std::string() : "The settings file could not be written (" + reason + "). ") +
                          "Your changes are kept while the program runs and saved as soon as that works again."};
}

void UserDefaults::tell(const std::optional<UserNotice>& notice)
{
    if (notice) UserNotices::post(*notice);
}

}  // namespace core
