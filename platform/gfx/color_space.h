// The colour spaces drawing code names: device RGB, gray and CMYK, and the pattern space that makes fills
// take a pattern instead of a colour. Everything is drawn in device RGB; the tag says what was asked for.
#pragma once

namespace gfx {

enum class ColorSpace { deviceRGB, deviceGray, deviceCMYK, pattern };

}  // namespace gfx
