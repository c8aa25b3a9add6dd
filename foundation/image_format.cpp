#include "foundation/image_format.h"

namespace kestrane {

std::int64_t rawValue(ImageFormat format)
{
    return static_cast<std::int64_t>(format);
}

std::optional<ImageFormat> fromRawValue(std::type_identity<ImageFormat>, std::int64_t raw)
{
    if (raw < 0 || raw > 2) return std::nullopt;
    return static_cast<ImageFormat>(raw);
}

std::string fileExtension(ImageFormat format)
{
    switch (format) {
    case ImageFormat::png: return "png";
    case ImageFormat::jpg: return "jpg";
    case ImageFormat::tiff: return "tiff";
    }
    return "";
}

}  // namespace kestrane
