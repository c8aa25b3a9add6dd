// Turns decoded frames into gfx images: premultiplied BGRA at the size asked for, scaled with a good filter,
// with the frame's own YUV matrix and range. Keeps its scaler between frames of one stream. One thread at a time.
#pragma once

#include "platform/gfx/image.h"
#include "platform/media/detail/ffmpeg.h"

namespace media::detail {

class FrameConverter {
public:
    // Null when the frame cannot be converted.
    gfx::ImageRef convert(const AVFrame* frame, int width, int height);

private:
    SwsContextPtr scaler_;
};

// A pixel of the same picture turned by a transform whose entries are 0 and ±1 (quarter turns and
// flips, as display matrices hold them); other transforms leave the image as it is.
gfx::ImageRef transformImage(const gfx::ImageRef& image, double a, double b, double c, double d);

}  // namespace media::detail
