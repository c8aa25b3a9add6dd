// Type identifiers of files: MIME type names ("video/quicktime"), found from file-name extensions, and the
// abstract parents they conform to ("video/*" for every movie, "image/*", the folder type). Backed by the
// shared MIME database, with a table of our own for movie extensions it does not know or takes for
// something else (".ts", ".3g", ".sdv", ".4k"). Safe from any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/url.h"

namespace core {

// What is known of a type: its identifier, its parents, its file-name extensions and its description.
struct TypeDeclaration {
    std::string identifier;
    std::vector<std::string> conformsTo;
    std::vector<std::string> extensions;
    std::string description;
};

class TypeIdentifier {
public:
    TypeIdentifier() = delete;

    static const std::string movie;  // every video type
    static const std::string image;  // every image type
    static const std::string audio;  // every sound type
    static const std::string folder;
    static const std::string png;
    static const std::string jpeg;
    static const std::string tiff;
    static const std::string gif;

    // The preferred identifier of a file-name extension (without its dot, any case); nullopt when the
    // extension names no known type.
    static std::optional<std::string> forExtension(const std::string& extension);
    // The extensions (lower case, no dot) that always name a movie; others may too, by the MIME database.
    static std::vector<std::string> movieExtensions();

    // True when `id` is `parent`, or inherits it, directly or through its ancestors.
    static bool conforms(const std::string& id, const std::string& parent);

    // True when both name the same type (aliases resolved).
    static bool equal(const std::string& a, const std::string& b);

    // The human-readable name of the type ("QuickTime video"); nullopt when the type is unknown.
    static std::optional<std::string> description(const std::string& id);

    static std::optional<TypeDeclaration> declaration(const std::string& id);

    // The bundle that declares the type: types here come from the system's database, never a bundle.
    static std::optional<Url> declaringBundleURL(const std::string& id);

    // A four-character code and its text ("MooV"); osTypeFromString gives 0 unless the text is exactly
    // four characters between U+0000 and U+00FF.
    static std::string osTypeToString(std::uint32_t code);
    static std::uint32_t osTypeFromString(const std::string& text);
};

}  // namespace core
