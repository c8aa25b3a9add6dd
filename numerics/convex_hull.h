// The convex hull of a set of points (monotone chain), counter-clockwise in y-up coordinates from the
// leftmost point. Points on a hull edge are dropped; one point gives an empty hull.
#pragma once

#include <vector>

#include "platform/gfx/point.h"

namespace kestrane::Point {

std::vector<gfx::Point> convexHull(std::vector<gfx::Point> points);
// The same, leaving the points sorted by x, then y.
std::vector<gfx::Point> convexHullInPlace(std::vector<gfx::Point>& points);

}  // namespace kestrane::Point
