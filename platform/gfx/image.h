// An immutable bitmap image, shared by reference (ImageRef) and safe to read from any thread.
// Pixels are 8-bit premultiplied ARGB held in 32-bit words 0xAARRGGBB (bytes B, G, R, A in memory on
// little-endian machines), rows from the top of the picture down, with no padding between rows.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace gfx {

class Image;
using ImageRef = std::shared_ptr<const Image>;

// A premultiplied ARGB pixel word.
using Pixel = std::uint32_t;

constexpr std::uint8_t alphaOf(Pixel p) { return std::uint8_t(p >> 24); }
constexpr std::uint8_t redOf(Pixel p) { return std::uint8_t(p >> 16); }
constexpr std::uint8_t greenOf(Pixel p) { return std::uint8_t(p >> 8); }
constexpr std::uint8_t blueOf(Pixel p) { return std::uint8_t(p); }
constexpr Pixel makePixel(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return Pixel(a) << 24 | Pixel(r) << 16 | Pixel(g) << 8 | Pixel(b);
}

class Image {
public:
    // Takes the pixels (width × height words, top row first). Null when a side is not positive or the
    // pixel count does not match. The opaque flag is read off the alpha of the pixels.
    static ImageRef create(int width, int height, std::vector<Pixel> pixels);

    int width() const { return width_; }
    int height() const { return height_; }
    // True when every pixel has full alpha.
    bool isOpaque() const { return opaque_; }

    // The pixel at column x from the left and row y from the top. Both must lie inside the image.
    Pixel pixel(int x, int y) const { return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]; }
    const Pixel* row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    const Pixel* data() const { return pixels_.data(); }
    int bytesPerRow() const { return width_ * 4; }

    Image(int width, int height, std::vector<Pixel> pixels, bool opaque);

private:
    int width_;
    int height_;
    bool opaque_;
    std::vector<Pixel> pixels_;
};

}  // namespace gfx
