#include "platform/gfx/point.h"

#include "platform/core/double_description.h"

namespace gfx {

std::string describe(const Point& p) { return "(" + core::describe(p.x) + ", " + core::describe(p.y) + ")"; }

}  // namespace gfx
