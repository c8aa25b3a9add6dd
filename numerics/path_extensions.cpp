#include "numerics/path_extensions.h"

namespace kestrane {

void addLineTo(gfx::Path& path, double x, double y) { path.addLineTo({x, y}); }

void addRoundedRect(gfx::Path& path, const gfx::Rect& rect, double corner)
{
    path.addRoundedRect(rect, corner, corner);
}

}  // namespace kestrane
