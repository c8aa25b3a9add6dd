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

struct MemoryReader {
    const core::Data& bytes;
    std::size_t position = 0;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->bytes.size() - reader->position) png_error(png, "truncated");
    std::memcpy(out, reader->bytes.data() + reader->position, length);
    reader->position += length;
}

[[noreturn]] void fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void ignoreWarning(png_structp, png_const_charp) {}

}  // namespace

bool looksLikePNG(const core::Data& data) { return data.size() >= 8 && png_sig_cmp(data.data(), 0, 8) == 0; }

ImageRef decodePNG(const core::Data& data)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, ignoreWarning);
    if (!png) return nullptr;
    png_infop info = png_create_info_struct(png);
    MemoryReader reader{data};
    std::vector<std::uint8_t> rgba;
    std::vector<png_bytep> rows;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return nullptr;
    }
    png_set_read_fn(png, &reader, readFromMemory);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    if (!acceptableSize(width, height)) png_longjmp(png, 1);
    // Every kind of PNG becomes 8-bit RGBA with its samples as stored (no gamma conversion).
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t(width) * 4) png_longjmp(png, 1);
    rgba.resize(std::size_t(width) * height * 4);
    for (png_uint_32 y = 0; y < height; ++y)
        rows.push_back(&rgba[std::size_t(y) * width * 4]);
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    std::vector<Pixel> pixels(std::size_t(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint8_t* p = &rgba[i * 4];
        pixels[i] = pixelFromStraight(p[0], p[1], p[2], p[3]);
    }
    return Image::create(int(width), int(height), std::move(pixels));
}

std::optional<core::Data> encodePNG(const Image& image)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, ignoreWarning);
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
