#include "platform/gfx/bitmap_context.h"

#include <QImage>

#include "platform/gfx/detail/qt_context.h"
#include "platform/gfx/straight_alpha.h"

namespace gfx {

struct BitmapContext::Storage {
    Storage(int width, int height, AlphaInfo alphaInfo, std::uint8_t* external, int externalBytesPerRow)
        : image(width, height, QImage::Format_ARGB32_Premultiplied), alphaInfo(alphaInfo), external(external),
          externalBytesPerRow(externalBytesPerRow)
    {
        if (external)
            load();
        else
            image.fill(alphaInfo == AlphaInfo::noneSkipFirst ? 0xff000000u : 0u);
        painter.begin(&image);
    }

    // Big-endian words from the wrapped memory.
    void load()
    {
        for (int y = 0; y < image.height(); ++y) {
            const std::uint8_t* in = external + std::size_t(y) * std::size_t(externalBytesPerRow);
            auto* out = reinterpret_cast<Pixel*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x, in += 4) {
                const std::uint8_t a = alphaInfo == AlphaInfo::noneSkipFirst ? 255 : in[0];
                out[x] = makePixel(a, std::min(in[1], a), std::min(in[2], a), std::min(in[3], a));
            }
        }
    }

    void store()
    {
        for (int y = 0; y < image.height(); ++y) {
            std::uint8_t* out = external + std::size_t(y) * std::size_t(externalBytesPerRow);
            const auto* in = reinterpret_cast<const Pixel*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x, out += 4) {
                out[0] = alphaInfo == AlphaInfo::noneSkipFirst ? 255 : alphaOf(in[x]);
                out[1] = redOf(in[x]);
                out[2] = greenOf(in[x]);
                out[3] = blueOf(in[x]);
            }
        }
    }

    QImage image;
    QPainter painter;
    AlphaInfo alphaInfo;
    std::uint8_t* external;
    int externalBytesPerRow;
};

namespace {

bool acceptable(int width, int height)
{
    return width > 0 && height > 0 && codec::acceptableSize(std::uint64_t(width), std::uint64_t(height));
}

}  // namespace

BitmapContext::BitmapContext(std::unique_ptr<Storage> storage)
    : Context(std::make_unique<Impl>(storage->painter, QTransform(1, 0, 0, -1, 0, storage->image.height()),
                                     QRectF(0, 0, storage->image.width(), storage->image.height()))),
      storage_(std::move(storage))
{
}

BitmapContext::~BitmapContext()
{
    flush();
    storage_->painter.end();
}

std::shared_ptr<BitmapContext> BitmapContext::create(int width, int height, AlphaInfo alphaInfo)
{
    if (!acceptable(width, height)) return nullptr;
    auto storage = std::make_unique<Storage>(width, height, alphaInfo, nullptr, 0);
    if (storage->image.isNull()) return nullptr;
    return std::make_shared<BitmapContext>(std::move(storage));
}

std::shared_ptr<BitmapContext> BitmapContext::wrap(std::uint8_t* data, int width, int height, int bytesPerRow,
                                                   AlphaInfo alphaInfo)
{
    if (!data || !acceptable(width, height) || bytesPerRow < width * 4) return nullptr;
    auto storage = std::make_unique<Storage>(width, height, alphaInfo, data, bytesPerRow);
    if (storage->image.isNull()) return nullptr;
    return std::make_shared<BitmapContext>(std::move(storage));
}

int BitmapContext::width() const { return storage_->image.width(); }

int BitmapContext::height() const { return storage_->image.height(); }

AlphaInfo BitmapContext::alphaInfo() const { return storage_->alphaInfo; }

ImageRef BitmapContext::makeImage() const
{
    const QImage& image = storage_->image;
    std::vector<Pixel> pixels;
    pixels.reserve(std::size_t(image.width()) * std::size_t(image.height()));
    const bool opaque = storage_->alphaInfo == AlphaInfo::noneSkipFirst;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const Pixel*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            pixels.push_back(opaque ? row[x] | 0xff000000u : row[x]);
    }
    return Image::create(image.width(), image.height(), std::move(pixels));
}

void BitmapContext::flush()
{
    if (storage_->external) storage_->store();
}

}  // namespace gfx
