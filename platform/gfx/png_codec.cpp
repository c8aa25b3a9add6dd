#include "platform/gfx/png_codec.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "platform/gfx/straight_alpha.h"

namespace gfx::codec {

namespace {

// Fast settings: a light zlib level with the Sub and Up filters gives files close to the default level's
// at a fraction of the time.
constexpr int compressionLevel = 3;
constexpr int rowFilters = PNG_FILTER_SUB | PNG_FILTER_UP;

void appendToData(png_structp png, png_bytep bytes, png_size_t length)
{
    auto* out = static_cast<core::Data*>(png_get_io_ptr(png));
    out->insert(out->end(), bytes, bytes + length);
}

void flushNothing(png_structp) {}

[[noreturn]] void failWrite(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

}  // namespace

bool looksLikePNG(const core::Data& data)
{
    return data.size() >= 8 && png_sig_cmp(data.data(), 0, 8) == 0;
}

ImageRef decodePNG(const core::Data& data)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return nullptr;
    if (!acceptableSize(image.width, image.height)) {
        png_image_free(&image);
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return nullptr;
    }
    std::vector<Pixel> pixels(std::size_t(image.width) * image.height);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint8_t* p = &rgba[i * 4];
        pixels[i] = pixelFromStraight(p[0], p[1], p[2], p[3]);
    }
    return Image::create(int(image.width), int(image.height), std::move(pixels));
}

std::optional<core::Data> encodePNG(const Image& image)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, failWrite, ignoreWarning);
    if (!png) return std::nullopt;
    png_infop info = png_create_info_struct(png);
    core::Data out;
    const bool withAlpha = !image.isOpaque();
    std::vector<std::uint8_t> row(std::size_t(image.width()) * (withAlpha ? 4 : 3));
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return std::nullopt;
    }
    png_set_write_fn(png, &out, appendToData, flushNothing);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, compressionLevel);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, rowFilters);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        straightRow(image.row(y), image.width(), withAlpha, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace gfx::codec
