// A file type identifier as a value: made from a file-name extension, an identifier or a four-character
// code, compared by type (aliases are equal) and asked what it conforms to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/core/type_identifier.h"
#include "platform/core/url.h"

namespace kestrane {

class FileUTI {
public:
    // The preferred identifier of the extension; nullopt when it names no known type.
    static std::optional<FileUTI> fromFileExtension(const std::string& fileExtension);

    explicit FileUTI(std::string identifier) : rawValue_(std::move(identifier)) {}
    // The identifier spelled by a four-character code.
    explicit FileUTI(std::uint32_t type);

    const std::string& rawValue() const { return rawValue_; }
    std::uint32_t osType() const;

    bool conformsToUTIID(const std::string& id) const;
    bool conformsToUTI(const FileUTI& uti) const;

    std::optional<std::string> localizedDescription() const;
    std::optional<core::TypeDeclaration> declaration() const;
    std::optional<core::Url> bundleURL() const;

    friend bool operator==(const FileUTI& a, const FileUTI& b);

private:
    std::string rawValue_;
};

}  // namespace kestrane
