#include "platform/gfx/straight_alpha.h"

namespace gfx::codec {

void straightRow(const Pixel* row, int width, bool withAlpha, std::uint8_t* out)
{
    for (int x = 0; x < width; ++x) {
        const Pixel p = row[x];
        const std::uint8_t a = alphaOf(p);
        if (a == 255) {
            *out++ = redOf(p);
            *out++ = greenOf(p);
            *out++ = blueOf(p);
        } else {
            *out++ = unpremultiply(redOf(p), a);
            *out++ = unpremultiply(greenOf(p), a);
            *out++ = unpremultiply(blueOf(p), a);
        }
        if (withAlpha) *out++ = a;
    }
}

}  // namespace gfx::codec
