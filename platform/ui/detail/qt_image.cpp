#include "platform/ui/detail/qt_image.h"

#include <cstring>

namespace ui {

gfx::ImageRef imageFromQImage(const QImage& image)
{
    if (image.isNull()) return nullptr;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = argb.width(), h = argb.height();
    std::vector<gfx::Pixel> pixels(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        std::memcpy(pixels.data() + std::size_t(y) * std::size_t(w), argb.constScanLine(y), std::size_t(w) * 4);
    return gfx::Image::create(w, h, std::move(pixels));
}

QImage qImageFromImage(const gfx::Image& image)
{
    QImage result(image.width(), image.height(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(result.scanLine(y), image.row(y), std::size_t(image.width()) * 4);
    return result;
}

}  // namespace ui
