// Where a user-defaults store keeps its values between runs.
#pragma once

#include <optional>
#include <string>

#include "platform/core/value.h"

namespace core {

class DefaultsStorage {
public:
    virtual ~DefaultsStorage() = default;
    // The stored values; nullopt when there are none or they cannot be read.
    virtual std::optional<Dictionary> load() = 0;
    // Replaces the stored values as a whole; false when they could not be kept.
    [[nodiscard]] virtual bool save(const Dictionary& values) = 0;
    // Why the last save failed, in words (the system's reason); empty when unknown.
    virtual std::string failureReason() const { return {}; }
    // Keeps a copy of the stored values as they are now, before values that could not be used are replaced;
    // where the copy is, or why none could be kept, in words.
    virtual std::string keepCopyAside() { return "the settings are not kept in a file"; }
};

// One XML property-list file, replaced atomically on every save (a temporary file renamed over it), so a crash
// leaves either the previous file or the new one. Its folder is created when missing. Loading removes the
// temporary files that killed writers left in the folder; a file that cannot be read (damaged, not a regular
// file, over 64 MB) is kept aside under another name and the user is told (core::UserNotices); when it cannot
// be moved, nothing is saved over it.
class FileDefaultsStorage : public DefaultsStorage {
public:
    explicit FileDefaultsStorage(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    std::optional<Dictionary> load() override;
    [[nodiscard]] bool save(const Dictionary& values) override;
    std::string failureReason() const override { return failureReason_; }
    // The file copied beside itself byte for byte (core::keepCopyAside).
    std::string keepCopyAside() override;

    static constexpr std::size_t largestFile = 64 << 20;

private:
    void keepAside(const std::string& problem);

    std::string path_;
    std::string failureReason_;
    bool keptBack_ = false;  // an unreadable file could not be moved aside
};

}  // namespace core
