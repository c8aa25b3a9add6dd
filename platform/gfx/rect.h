// A rectangle: an origin and a size, y-up (min Y is the bottom edge). A negative width or height extends
// the rectangle the other way; every getter reads it standardised. The null rectangle (origin at +infinity)
// is what an empty intersection or an inset past the size gives.
#pragma once

#include "platform/gfx/point.h"
#include "platform/gfx/size.h"

namespace gfx {

struct Rect {
    Point origin;
    Size size;

    Rect() = default;
    Rect(Point origin, Size size) : origin(origin), size(size) {}
    Rect(double x, double y, double width, double height) : origin{x, y}, size{width, height} {}

    static Rect zero() { return {}; }
    static Rect null();
    static Rect infinite();

    double minX() const;
    double midX() const;
    double maxX() const;
    double minY() const;
    double midY() const;
    double maxY() const;
    double width() const;
    double height() const;

    // The same rectangle with a non-negative width and height.
    Rect standardized() const;
    bool isNull() const;
    // Null, or no area.
    bool isEmpty() const;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// Moves each side inwards by dx and dy (outwards when negative); null when a side would turn negative.
Rect inset(const Rect& r, double dx, double dy);
Rect offset(const Rect& r, double dx, double dy);
// The smallest rectangle with integral edges that holds r.
Rect integral(const Rect& r);
// Null when the two do not meet; rectangles that only touch meet in an empty rectangle.
Rect intersection(const Rect& a, const Rect& b);
// The smallest rectangle holding both; a null rectangle is ignored.
Rect unionOf(const Rect& a, const Rect& b);
// True when the two share some area.
bool intersects(const Rect& a, const Rect& b);
// Half-open: the left and bottom edges are inside, the right and top edges outside.
bool contains(const Rect& r, const Point& p);
bool contains(const Rect& r, const Rect& inner);

}  // namespace gfx
