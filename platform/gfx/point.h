// A location or a vector in the plane, in points; y grows upwards.
#pragma once

#include <string>

namespace gfx {

struct Point {
    double x = 0;
    double y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

// The point's text, "(x, y)", each coordinate in the shortest form that reads back exactly ("1.0").
std::string describe(const Point& p);

}  // namespace gfx
