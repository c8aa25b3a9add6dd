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
    virtual bool save(const Dictionary& values) = 0;
};

// One XML property-list file, replaced atomically on every save (a temporary file renamed over it), so a crash
// leaves either the previous file or the new one. Its folder is created when missing.
class FileDefaultsStorage : public DefaultsStorage {
public:
    explicit FileDefaultsStorage(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    std::optional<Dictionary> load() override;
    bool save(const Dictionary& values) override;

private:
    std::string path_;
};

}  // namespace core
