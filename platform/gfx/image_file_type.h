// The kinds of image file the layer reads and writes, and the bitmap file types with their stored codes.
#pragma once

namespace gfx {

enum class ImageFileType { png, jpeg, tiff, gif };

enum class BitmapFileType { tiff = 0, bmp = 1, gif = 2, jpeg = 3, png = 4, jpeg2000 = 5 };

}  // namespace gfx
