// How close written pictures come to their source frames, in dB of PSNR over the red, green and blue
// samples: an image file (any format Qt reads) and every frame of an animated GIF. A file that cannot be
// read ends the benchmark with a line on stderr.
#pragma once

#include <string>
#include <vector>

#include "platform/gfx/image.h"

namespace bench {

double psnrOfImage(const gfx::Image& source, const std::string& file);
// The GIF must hold one frame per source, each of its source's size.
double psnrOfGIF(const std::vector<gfx::ImageRef>& sources, const std::string& file);

}  // namespace bench
