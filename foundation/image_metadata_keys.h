// Names for the keys of image metadata's EXIF and GPS dictionaries: Exif<X>Key and GPS<X>Key, each
// holding the image-file layer's key. Constant, safe from any thread.
#pragma once

#include <string>

#include "platform/gfx/image_properties.h"

namespace kestrane {

#define KESTRANE_EXIF_KEY(name, key) inline const std::string Exif##name##Key = gfx::imageprops::exif##name;
#define KESTRANE_GPS_KEY(name, key) inline const std::string GPS##name##Key = gfx::imageprops::gps##name;
GFX_EXIF_PROPERTIES(KESTRANE_EXIF_KEY)
GFX_GPS_PROPERTIES(KESTRANE_GPS_KEY)
#undef KESTRANE_EXIF_KEY
#undef KESTRANE_GPS_KEY

}  // namespace kestrane
