#include "platform/core/type_identifier.h"

#include <QMimeDatabase>
#include <QMimeType>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <string_view>

namespace core {

const std::string TypeIdentifier::movie = "video/*";
const std::string TypeIdentifier::image = "image/*";
const std::string TypeIdentifier::audio = "audio/*";
const std::string TypeIdentifier::folder = "inode/directory";
const std::string TypeIdentifier::png = "image/png";
const std::string TypeIdentifier::jpeg = "image/jpeg";
const std::string TypeIdentifier::tiff = "image/tiff";
const std::string TypeIdentifier::gif = "image/gif";

namespace {

struct OwnType {
    std::string_view identifier;
    std::string_view extension;  // empty for the abstract parents
    std::string_view description;
};

// Types the MIME database lacks, or files it takes for something else (".ts" is a translation catalog
// there). Checked before the database.
constexpr std::array<OwnType, 7> OwnTypes{{
    {"video/*", "", "movie"},
    {"image/*", "", "image"},
    {"audio/*", "", "audio"},
    {"video/mp2t", "ts", "MPEG-2 transport stream"},
    {"video/3gpp", "3g", "3GPP multimedia file"},
    {"video/x-sdv", "sdv", "SD video"},
    {"video/x-4k", "4k", "4K video"},
}};

// Extensions that always name a movie, whatever the database says: DVD and camcorder program streams (vob, vro,
// tod, m2p), MPEG-2 video (m2v) and the broadcasters' MXF among them.
constexpr std::array<std::string_view, 31> MovieExtensions{
    "mov",  "qt",  "mp4",  "m4v", "3g",  "3g2", "3gp", "3gp2", "3gpp", "sdv", "4k",  "mkv", "avi", "webm", "ts",  "mts",
    "m2ts", "mpg", "mpeg", "ogv", "ogm", "wmv", "asf", "flv",  "dv",   "vob", "vro", "tod", "m2p", "m2v",  "mxf",
};

std::string lowercased(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

const OwnType* ownTypeWithIdentifier(const std::string& id)
{
    for (const auto& type : OwnTypes)
        if (type.identifier == id) return &type;
    return nullptr;
}

const OwnType* ownTypeWithExtension(const std::string& extension)
{
    for (const auto& type : OwnTypes)
        if (!type.extension.empty() && type.extension == extension) return &type;
    return nullptr;
}

QMimeType mimeType(const std::string& id) { return QMimeDatabase().mimeTypeForName(QString::fromStdString(id)); }

// The identifier with aliases resolved ("video/x-m4v" -> "video/mp4"); unknown names stay as they are.
std::string canonical(const std::string& id)
{
    if (ownTypeWithIdentifier(id)) return id;
    const QMimeType type = mimeType(id);
    return type.isValid() ? type.name().toStdString() : id;
}

// The identifier itself and every type it inherits from.
std::vector<std::string> lineage(const std::string& id)
{
    std::vector<std::string> names{canonical(id)};
    if (ownTypeWithIdentifier(id)) return names;
    const QMimeType type = mimeType(id);
    if (type.isValid())
        for (const QString& ancestor : type.allAncestors())
            names.push_back(ancestor.toStdString());
    return names;
}

bool isWildcard(const std::string& id) { return id.size() > 2 && id.ends_with("/*"); }

bool isMovieExtension(const std::string& extension)
{
    return std::find(MovieExtensions.begin(), MovieExtensions.end(), extension) != MovieExtensions.end();
}

void appendUTF8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::optional<std::string> TypeIdentifier::forExtension(const std::string& extension)
{
    const std::string lower = lowercased(extension);
    if (lower.empty()) return std::nullopt;
    if (const OwnType* own = ownTypeWithExtension(lower)) return std::string(own->identifier);
    const QMimeType type =
        QMimeDatabase().mimeTypeForFile("file." + QString::fromStdString(lower), QMimeDatabase::MatchExtension);
    const bool known = type.isValid() && !type.isDefault();
    const std::string id = known ? type.name().toStdString() : std::string();
    if (isMovieExtension(lower) && (id.empty() || !conforms(id, movie))) return "video/x-" + lower;
    if (id.empty()) return std::nullopt;
    return id;
}

bool TypeIdentifier::conforms(const std::string& id, const std::string& parent)
{
    if (id.empty() || parent.empty()) return false;
    const std::vector<std::string> names = lineage(id);
    if (isWildcard(parent)) {
        const std::string prefix = parent.substr(0, parent.size() - 1);
        return std::any_of(names.begin(), names.end(),
                           [&](const std::string& name) { return name.starts_with(prefix); });
    }
    const std::string wanted = canonical(parent);
    return std::find(names.begin(), names.end(), wanted) != names.end();
}

bool TypeIdentifier::equal(const std::string& a, const std::string& b) { return canonical(a) == canonical(b); }

std::optional<std::string> TypeIdentifier::description(const std::string& id)
{
    if (const OwnType* own = ownTypeWithIdentifier(id)) return std::string(own->description);
    const QMimeType type = mimeType(id);
    if (!type.isValid()) return std::nullopt;
    return type.comment().toStdString();
}

std::optional<TypeDeclaration> TypeIdentifier::declaration(const std::string& id)
{
    if (const OwnType* own = ownTypeWithIdentifier(id)) {
        TypeDeclaration declared{id, {}, {}, std::string(own->description)};
        if (!own->extension.empty()) {
            declared.conformsTo.push_back(movie);
            declared.extensions.emplace_back(own->extension);
        }
        return declared;
    }
    const QMimeType type = mimeType(id);
    if (!type.isValid()) return std::nullopt;
    TypeDeclaration declared{type.name().toStdString(), {}, {}, type.comment().toStdString()};
    for (const QString& parent : type.parentMimeTypes())
        declared.conformsTo.push_back(parent.toStdString());
    for (const QString& suffix : type.suffixes())
        declared.extensions.push_back(suffix.toStdString());
    return declared;
}

std::optional<Url> TypeIdentifier::declaringBundleURL(const std::string&) { return std::nullopt; }

std::string TypeIdentifier::osTypeToString(std::uint32_t code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        appendUTF8(text, static_cast<char32_t>((code >> shift) & 0xFF));
    return text;
}

std::uint32_t TypeIdentifier::osTypeFromString(const std::string& text)
{
    const QString decoded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (decoded.size() != 4 || decoded.toUtf8().toStdString() != text) return 0;
    std::uint32_t code = 0;
    for (const QChar c : decoded) {
        if (c.unicode() > 0xFF) return 0;
        code = (code << 8) | c.unicode();
    }
    return code;
}

std::vector<std::string> TypeIdentifier::movieExtensions() { return {MovieExtensions.begin(), MovieExtensions.end()}; }

}  // namespace core
