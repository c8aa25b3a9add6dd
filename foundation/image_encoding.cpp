#include "foundation/image_encoding.h"

#include <cmath>

#include "foundation/drawing_helpers.h"
#include "platform/core/print.h"
#include "platform/gfx/image_reader.h"
#include "platform/gfx/image_writer.h"

namespace kestrane {

namespace {

// The TIFF code of LZW compression.
constexpr int tiffLZW = 5;

struct Encoding {
    gfx::ImageFileType type;
    gfx::FrameProperties properties;
};

Encoding encodingFor(ImageFormat format, double jpegCompression = 1.0)
{
    switch (format) {
    case ImageFormat::jpg:
        return {gfx::ImageFileType::jpeg, {.jpegQuality = jpegCompression}};
    case ImageFormat::tiff:
        return {gfx::ImageFileType::tiff, {.tiffCompression = tiffLZW}};
    case ImageFormat::png:
        break;
    }
    return {gfx::ImageFileType::png, {}};
}

std::optional<core::Data> encode(const gfx::ImageRef& image, const Encoding& encoding)
{
    auto writer = gfx::ImageWriter::createInMemory(encoding.type, 1);
    if (!writer) {
        core::print("CGImageDestinationCreateWithData fails");
        return std::nullopt;
    }
    writer->addImage(image, encoding.properties);
    if (!writer->finalize()) return std::nullopt;
    return writer->data();
}

bool writeFile(const gfx::ImageRef& image, const core::Url& url, const Encoding& encoding)
{
    auto writer = gfx::ImageWriter::create(url, encoding.type, 1);
    if (!writer) {
        core::print("CGImageDestinationCreateWithURL cannot create dest at URL " + url.absoluteString());
        return false;
    }
    writer->addImage(image, encoding.properties);
    return writer->finalize();
}

// Whole pixels from a floating-point length, halves away from zero; 0 for what does not fit.
int roundedPixels(double length)
{
    const double rounded = std::round(length);
    return std::isfinite(rounded) && std::abs(rounded) < 2147483647.0 ? int(rounded) : 0;
}

}  // namespace

namespace CGImage {

gfx::ImageRef image(const core::Url& url) { return gfx::ImageReader::read(url); }

gfx::ImageRef image(const core::Data& data) { return gfx::ImageReader::readData(data); }

gfx::ImageRef image(const gfx::BitmapContext& context) { return context.makeImage(); }

gfx::ImageRef emptyWith(int width, int height) { return drawWith(width, height, {}); }

gfx::ImageRef emptyWith(const gfx::Size& size) { return drawWith(size, {}); }

gfx::ImageRef drawWith(int width, int height, const std::function<void(gfx::Context&)>& block)
{
    const auto context = CGContext::createRGBBitmapContext(width, height);
    if (!context) {
        core::print("CGContext.createRGBBitmapContex cannot create context");
        return nullptr;
    }
    if (block) block(*context);
    return context->makeImage();
}

gfx::ImageRef drawWith(const gfx::Size& size, const std::function<void(gfx::Context&)>& block)
{
    return drawWith(roundedPixels(size.width), roundedPixels(size.height), block);
}

}  // namespace CGImage

gfx::Size size(const gfx::ImageRef& image) { return {double(image->width()), double(image->height())}; }

gfx::Rect rect(const gfx::ImageRef& image) { return {{0, 0}, size(image)}; }

gfx::ImageRef drawnCopy(const gfx::ImageRef& image)
{
    return CGImage::drawWith(size(image), [&](gfx::Context& context) { context.drawImage(image, rect(image)); });
}

gfx::ImageRef applying(const gfx::ImageRef& image, const gfx::AffineTransform& transform)
{
    const gfx::Rect bounds = gfx::applying(rect(image), transform);
    return CGImage::drawWith(bounds.size, [&](gfx::Context& context) {
        context.concat(transform);
        context.drawImage(image, rect(image));
    });
}

std::optional<core::Data> PNGData(const gfx::ImageRef& image) { return encode(image, encodingFor(ImageFormat::png)); }

std::optional<core::Data> JPEGData(const gfx::ImageRef& image, double compression)
{
    return encode(image, encodingFor(ImageFormat::jpg, compression));
}

std::optional<core::Data> TIFFData(const gfx::ImageRef& image) { return encode(image, encodingFor(ImageFormat::tiff)); }

std::optional<core::Data> data(const gfx::ImageRef& image, ImageFormat format)
{
    return encode(image, encodingFor(format));
}

bool writeAsPNG(const gfx::ImageRef& image, const core::Url& url)
{
    return writeFile(image, url, encodingFor(ImageFormat::png));
}

bool writeAsJPEG(const gfx::ImageRef& image, const core::Url& url, double compression)
{
    return writeFile(image, url, encodingFor(ImageFormat::jpg, compression));
}

bool writeAsTIFF(const gfx::ImageRef& image, const core::Url& url)
{
    return writeFile(image, url, encodingFor(ImageFormat::tiff));
}

bool write(const gfx::ImageRef& image, ImageFormat format, const core::Url& url)
{
    return writeFile(image, url, encodingFor(format));
}

}  // namespace kestrane
