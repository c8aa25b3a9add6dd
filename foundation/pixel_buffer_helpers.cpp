#include "foundation/pixel_buffer_helpers.h"

#include "numerics/size_geometry.h"
#include "platform/gfx/bitmap_context.h"

namespace kestrane {

std::int32_t createBuffer(gfx::PixelBufferPool& pool, std::shared_ptr<gfx::PixelBuffer>& buffer)
{
    buffer = pool.createPixelBuffer();
    return buffer ? pixelBufferSuccess : pixelBufferAllocationFailed;
}

std::shared_ptr<media::AssetWriterInput> videoInput(const media::VideoSettings& settings)
{
    return media::AssetWriterInput::create(media::MediaType::video, settings);
}

gfx::Rect rect(const gfx::PixelBuffer& buffer) { return gfx::Rect(0, 0, buffer.width(), buffer.height()); }

void lockReadOnly(gfx::PixelBuffer& buffer) { buffer.lock(); }

void unlockReadOnly(gfx::PixelBuffer& buffer) { buffer.unlock(); }

void drawFillingImage(gfx::PixelBuffer& buffer, const gfx::ImageRef& image)
{
    lockReadOnly(buffer);
    if (std::uint8_t* base = buffer.baseAddress()) {
        auto context = gfx::BitmapContext::wrap(base, buffer.width(), buffer.height(), buffer.bytesPerRow(),
                                                gfx::AlphaInfo::noneSkipFirst);
        if (context && image) {
            const gfx::Size size{double(image->width()), double(image->height())};
            context->drawImage(image, filling(size, rect(buffer)));
            context->flush();
        }
    }
    unlockReadOnly(buffer);
}

}  // namespace kestrane
