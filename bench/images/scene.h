// A synthetic moving scene with the look of filmed footage: a sky gradient, a glowing sun that drifts, hills
// with texture, a ball crossing the picture, and fine grain.
#pragma once

#include "platform/gfx/image.h"

namespace bench {

gfx::ImageRef sceneFrame(int index, int width, int height);

}  // namespace bench
