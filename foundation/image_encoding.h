// Still images: reading them from files and bytes, making them by drawing into an RGB bitmap, copying and
// transforming them, and encoding them as PNG, JPEG or TIFF into memory or into files. Files are written
// whole or not at all: an existing file is replaced only once the new one is complete. Safe on any thread.
#pragma once

#include <functional>
#include <optional>

#include "foundation/image_format.h"
#include "platform/core/data.h"
#include "platform/core/url.h"
#include "platform/gfx/bitmap_context.h"
#include "platform/gfx/image.h"

namespace kestrane {

namespace CGImage {

// The first image of the file or bytes; null when they hold none that can be read.
gfx::ImageRef image(const core::Url& url);
gfx::ImageRef image(const core::Data& data);
gfx::ImageRef image(const gfx::BitmapContext& context);

// A transparent bitmap of that size; null (and a printed line) when it cannot be made.
gfx::ImageRef emptyWith(int width, int height);
// The size rounded to whole pixels, halves away from zero.
gfx::ImageRef emptyWith(const gfx::Size& size);
// A transparent bitmap that the block draws into, y-up.
gfx::ImageRef drawWith(int width, int height, const std::function<void(gfx::Context&)>& block);
gfx::ImageRef drawWith(const gfx::Size& size, const std::function<void(gfx::Context&)>& block);

}  // namespace CGImage

gfx::Size size(const gfx::ImageRef& image);
// Origin (0, 0) and the image's size.
gfx::Rect rect(const gfx::ImageRef& image);
gfx::ImageRef drawnCopy(const gfx::ImageRef& image);
// A bitmap of the size of the image's rectangle under the transform (rounded), with the image drawn
// through the transform about the bitmap's origin: callers that turn or flip add the move that brings the
// image back in.
gfx::ImageRef applying(const gfx::ImageRef& image, const gfx::AffineTransform& transform);

std::optional<core::Data> PNGData(const gfx::ImageRef& image);
// Compression is the quality from 0 to 1.
std::optional<core::Data> JPEGData(const gfx::ImageRef& image, double compression = 1.0);
// LZW compressed.
std::optional<core::Data> TIFFData(const gfx::ImageRef& image);
std::optional<core::Data> data(const gfx::ImageRef& image, ImageFormat format);

[[nodiscard]] bool writeAsPNG(const gfx::ImageRef& image, const core::Url& url);
[[nodiscard]] bool writeAsJPEG(const gfx::ImageRef& image, const core::Url& url, double compression = 1.0);
[[nodiscard]] bool writeAsTIFF(const gfx::ImageRef& image, const core::Url& url);
[[nodiscard]] bool write(const gfx::ImageRef& image, ImageFormat format, const core::Url& url);

}  // namespace kestrane
