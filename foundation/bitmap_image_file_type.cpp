#include "foundation/bitmap_image_file_type.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace kestrane::NSBitmapImageFileType {

std::optional<gfx::BitmapFileType> fromExtension(const std::string& ext)
{
    static const std::map<std::string, gfx::BitmapFileType> types{
        {"png", gfx::BitmapFileType::png},      {"jpg", gfx::BitmapFileType::jpeg},
        {"jpeg", gfx::BitmapFileType::jpeg},    {"tiff", gfx::BitmapFileType::tiff},
        {"gif", gfx::BitmapFileType::gif},      {"bmp", gfx::BitmapFileType::bmp},
        {"jp2", gfx::BitmapFileType::jpeg2000}, {"j2k", gfx::BitmapFileType::jpeg2000},
    };
    std::string lower = ext;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    const auto found = types.find(lower);
    if (found == types.end()) return std::nullopt;
    return found->second;
}

std::optional<gfx::BitmapFileType> fromFileURL(const core::Url& fileURL)
{
    return fromExtension(fileURL.pathExtension());
}

}  // namespace kestrane::NSBitmapImageFileType
