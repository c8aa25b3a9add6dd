#include "tests/platform/gfx/test_images.h"

#include <QImageReader>

namespace gfxtest {

gfx::ImageRef sceneWithMarker(int width, int height, int markerX, int markerY)
{
    std::vector<gfx::Pixel> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(
                gfx::makePixel(255, 40, std::uint8_t(60 + 120 * x / width), std::uint8_t(60 + 120 * y / height)));
    pixels[std::size_t(markerY) * std::size_t(width) + std::size_t(markerX)] = markerPixel;
    return gfx::Image::create(width, height, std::move(pixels));
}

QImage toQImage(const gfx::Image& image)
{
    QImage premultiplied(reinterpret_cast<const uchar*>(image.data()), image.width(), image.height(),
                         image.bytesPerRow(), QImage::Format_ARGB32_Premultiplied);
    return premultiplied.convertToFormat(QImage::Format_ARGB32);
}

gfx::ImageRef fromQImage(const QImage& image)
{
    const QImage converted = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<gfx::Pixel> pixels;
    for (int y = 0; y < converted.height(); ++y) {
        const auto* row = reinterpret_cast<const gfx::Pixel*>(converted.constScanLine(y));
        pixels.insert(pixels.end(), row, row + converted.width());
    }
    return gfx::Image::create(converted.width(), converted.height(), std::move(pixels));
}

QImage readWithQt(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(false);
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

std::pair<int, int> reddestPixel(const QImage& image)
{
    std::pair<int, int> best{-1, -1};
    int bestScore = -1000;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int score = qRed(p) - qGreen(p) - qBlue(p);
            if (score > bestScore) bestScore = score, best = {x, y};
        }
    return best;
}

}  // namespace gfxtest
