// Resampling of bitmap images to another pixel size, averaging the pixels each new pixel covers when the
// image shrinks. Safe from any thread.
#pragma once

#include "platform/gfx/image.h"

namespace gfx {

// The image at width × height pixels; the image itself when it already has that size; null for a null
// image or a side that is not positive.
ImageRef scaledImage(const ImageRef& image, int width, int height);

}  // namespace gfx
