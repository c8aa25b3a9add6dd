#include "foundation/file_uti.h"

namespace kestrane {

using core::TypeIdentifier;

std::optional<FileUTI> FileUTI::fromFileExtension(const std::string& fileExtension)
{
    const auto identifier = TypeIdentifier::forExtension(fileExtension);
    if (!identifier) return std::nullopt;
    return FileUTI(*identifier);
}

FileUTI::FileUTI(std::uint32_t type) : rawValue_(TypeIdentifier::osTypeToString(type)) {}

std::uint32_t FileUTI::osType() const { return TypeIdentifier::osTypeFromString(rawValue_); }

bool FileUTI::conformsToUTIID(const std::string& id) const { return TypeIdentifier::conforms(rawValue_, id); }

bool FileUTI::conformsToUTI(const FileUTI& uti) const { return conformsToUTIID(uti.rawValue_); }

std::optional<std::string> FileUTI::localizedDescription() const { return TypeIdentifier::description(rawValue_); }

std::optional<core::TypeDeclaration> FileUTI::declaration() const { return TypeIdentifier::declaration(rawValue_); }

std::optional<core::Url> FileUTI::bundleURL() const { return TypeIdentifier::declaringBundleURL(rawValue_); }

bool operator==(const FileUTI& a, const FileUTI& b) { return TypeIdentifier::equal(a.rawValue_, b.rawValue_); }

}  // namespace kestrane
