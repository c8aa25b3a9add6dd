// Images in keyed archives, stored as PNG data: nothing is written for a missing image or one that cannot be
// encoded, and anything but readable image data under the key decodes as no image.
#pragma once

#include <string>

#include "platform/core/keyed_archiver.h"
#include "platform/core/keyed_unarchiver.h"
#include "platform/gfx/image.h"

namespace kestrane {

void encodeCGImageAsPNG(core::KeyedArchiver& coder, const gfx::ImageRef& image, const std::string& key);
gfx::ImageRef decodeCGImagePNGForKey(core::KeyedUnarchiver& coder, const std::string& key);

}  // namespace kestrane
