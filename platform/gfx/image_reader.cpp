#include "platform/gfx/image_reader.h"

#include "platform/gfx/gif_codec.h"
#include "platform/gfx/jpeg_codec.h"
#include "platform/gfx/png_codec.h"
#include "platform/gfx/tiff_codec.h"

namespace gfx {

ImageRef ImageReader::read(const core::Url& url)
{
    if (!url.isFileURL()) return nullptr;
    const auto data = core::readData(url.path());
    return data ? readData(*data) : nullptr;
}

ImageRef ImageReader::readData(const core::Data& data)
{
    if (codec::looksLikePNG(data)) return codec::decodePNG(data);
    if (codec::looksLikeJPEG(data)) return codec::decodeJPEG(data);
    if (codec::looksLikeTIFF(data)) return codec::decodeTIFF(data);
    if (codec::looksLikeGIF(data)) return codec::decodeGIF(data);
    return nullptr;
}

}  // namespace gfx
