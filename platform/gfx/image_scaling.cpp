#include "platform/gfx/image_scaling.h"

#include <QImage>

#include <cstring>

namespace gfx {

ImageRef scaledImage(const ImageRef& image, int width, int height)
{
    if (!image || width <= 0 || height <= 0) return nullptr;
    if (image->width() == width && image->height() == height) return image;
    const QImage source(reinterpret_cast<const uchar*>(image->data()), image->width(), image->height(),
                        image->bytesPerRow(), QImage::Format_ARGB32_Premultiplied);
    const QImage scaled = source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (scaled.width() != width || scaled.height() != height) return nullptr;
    std::vector<Pixel> pixels(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(pixels.data() + std::size_t(y) * std::size_t(width), scaled.constScanLine(y),
                    std::size_t(width) * 4);
    return Image::create(width, height, std::move(pixels));
}

}  // namespace gfx
