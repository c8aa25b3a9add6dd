#include "platform/gfx/image.h"

#include <algorithm>

namespace gfx {

Image::Image(int width, int height, std::vector<Pixel> pixels, bool opaque)
    : width_(width), height_(height), opaque_(opaque), pixels_(std::move(pixels))
{
}

ImageRef Image::create(int width, int height, std::vector<Pixel> pixels)
{
    if (width <= 0 || height <= 0) return nullptr;
    if (pixels.size() != std::size_t(width) * std::size_t(height)) return nullptr;
    const bool opaque = std::all_of(pixels.begin(), pixels.end(), [](Pixel p) { return alphaOf(p) == 0xff; });
    return std::make_shared<const Image>(width, height, std::move(pixels), opaque);
}

}  // namespace gfx
