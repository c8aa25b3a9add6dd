#include "foundation/image_archiving.h"

#include "foundation/image_encoding.h"

namespace kestrane {

void encodeCGImageAsPNG(core::KeyedArchiver& coder, const gfx::ImageRef& image, const std::string& key)
{
    if (!image) return;
    if (const auto png = PNGData(image)) coder.encodeData(key, *png);
}

gfx::ImageRef decodeCGImagePNGForKey(core::KeyedUnarchiver& coder, const std::string& key)
{
    const auto data = coder.decodeData(key);
    return data ? CGImage::image(*data) : nullptr;
}

}  // namespace kestrane
