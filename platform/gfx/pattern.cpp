#include "platform/gfx/pattern.h"

#include <cmath>

#include "platform/gfx/bitmap_context.h"

namespace gfx {

PatternRef Pattern::create(const Size& tileSize, const AffineTransform& transform, const DrawTile& draw)
{
    if (!(tileSize.width > 0) || !(tileSize.height > 0)) return nullptr;
    auto context = BitmapContext::create(int(std::ceil(tileSize.width)), int(std::ceil(tileSize.height)),
                                         AlphaInfo::premultipliedFirst);
    if (!context) return nullptr;
    if (draw) draw(*context);
    return std::make_shared<const Pattern>(tileSize, transform, context->makeImage());
}

}  // namespace gfx
