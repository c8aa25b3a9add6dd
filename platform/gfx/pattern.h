// A fill pattern: a tile drawn once by a callback and repeated at a constant spacing. Its transform maps the
// tile's space to the base space of the context it fills (not to the current transform), as patterns do.
// Immutable and shared (PatternRef).
#pragma once

#include <functional>
#include <memory>

#include "platform/gfx/affine_transform.h"
#include "platform/gfx/image.h"

namespace gfx {

class Context;
class Pattern;
using PatternRef = std::shared_ptr<const Pattern>;

class Pattern {
public:
    // Draws one tile into a y-up context of the tile's size.
    using DrawTile = std::function<void(Context&)>;

    // Null when a side of the tile is not positive.
    static PatternRef create(const Size& tileSize, const AffineTransform& transform, const DrawTile& draw);

    const Size& tileSize() const { return tileSize_; }
    const AffineTransform& transform() const { return transform_; }
    // The drawn tile, rows from the top, whole pixels covering the tile size.
    const ImageRef& tile() const { return tile_; }

    Pattern(const Size& tileSize, const AffineTransform& transform, ImageRef tile)
        : tileSize_(tileSize), transform_(transform), tile_(std::move(tile))
    {
    }

private:
    Size tileSize_;
    AffineTransform transform_;
    ImageRef tile_;
};

}  // namespace gfx
