// Reads image files: PNG, JPEG, TIFF and GIF, told apart by their first bytes. The first image of the file
// (16-bit samples reduced to 8 bits, orientation metadata ignored); null for anything unreadable, never a
// crash. Safe from any thread.
#pragma once

#include "platform/core/data.h"
#include "platform/core/url.h"
#include "platform/gfx/image.h"

namespace gfx {

class ImageReader {
public:
    static ImageRef read(const core::Url& url);
    static ImageRef readData(const core::Data& data);
};

}  // namespace gfx
