// Two shorthands for building paths: a line to a point given by its coordinates, and a rounded rectangle
// whose corners are equally wide and high.
#pragma once

#include "platform/gfx/path.h"

namespace kestrane {

void addLineTo(gfx::Path& path, double x, double y);
void addRoundedRect(gfx::Path& path, const gfx::Rect& rect, double corner);

}  // namespace kestrane
