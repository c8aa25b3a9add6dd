#include "numerics/rect_geometry.h"

#include <algorithm>
#include <cmath>

#include "numerics/point_geometry.h"
#include "numerics/real_number.h"
#include "numerics/size_geometry.h"

namespace kestrane {

gfx::Rect Rect::ofSize(double width, double height) { return gfx::Rect(0, 0, width, height); }
gfx::Rect Rect::ofSize(const gfx::Size& size) { return gfx::Rect({0, 0}, size); }
gfx::Rect Rect::square(double side) { return gfx::Rect(0, 0, side, side); }

gfx::Rect Rect::fromPoints(const gfx::Point& p1, const gfx::Point& p2)
{
    return gfx::Rect(std::min(p1.x, p2.x), std::min(p1.y, p2.y), std::fabs(p1.x - p2.x), std::fabs(p1.y - p2.y));
}

gfx::Rect Rect::around(const gfx::Point& center, const gfx::Size& size)
{
    return gfx::Rect(center.x - size.width / 2, center.y - size.height / 2, size.width, size.height);
}

gfx::Rect Rect::around(const gfx::Point& center, double edgeSize)
{
    return around(center, gfx::Size{edgeSize, edgeSize});
}

gfx::Rect Rect::fromEdges(double left, double right, double bottom, double top)
{
    return gfx::Rect(left, bottom, right - left, top - bottom);
}

gfx::Rect& Rect::PDFPage()
{
    static gfx::Rect page(0, 0, 612, 792);
    return page;
}

double x(const gfx::Rect& r) { return r.origin.x; }
double y(const gfx::Rect& r) { return r.origin.y; }
double xyRatio(const gfx::Rect& r) { return r.origin.x / r.origin.y; }
double yxRatio(const gfx::Rect& r) { return r.origin.y / r.origin.x; }
double whRatio(const gfx::Rect& r) { return r.width() / r.height(); }
double hwRatio(const gfx::Rect& r) { return r.height() / r.width(); }
double xwRatio(const gfx::Rect& r) { return r.origin.x / r.width(); }
double wxRatio(const gfx::Rect& r) { return r.width() / r.origin.x; }
double yhRatio(const gfx::Rect& r) { return r.origin.y / r.height(); }
double hyRatio(const gfx::Rect& r) { return r.height() / r.origin.y; }

bool overlap(const gfx::Rect& r, const gfx::Rect& other, double tolerance)
{
    return overlap(r.origin, other.origin, tolerance) && overlap(r.size, other.size, tolerance);
}

bool isSimilarTo(const gfx::Rect& r, const gfx::Rect& other, int places)
{
    return isSimilarTo(r.origin, other.origin, places) && isSimilarTo(r.size, other.size, places);
}

gfx::Point center(const gfx::Rect& r) { return {r.midX(), r.midY()}; }
gfx::Point bottomLeft(const gfx::Rect& r) { return {r.minX(), r.minY()}; }
gfx::Point bottomCenter(const gfx::Rect& r) { return {r.midX(), r.minY()}; }
gfx::Point bottomRight(const gfx::Rect& r) { return {r.maxX(), r.minY()}; }
gfx::Point topLeft(const gfx::Rect& r) { return {r.minX(), r.maxY()}; }
gfx::Point topCenter(const gfx::Rect& r) { return {r.midX(), r.maxY()}; }
gfx::Point topRight(const gfx::Rect& r) { return {r.maxX(), r.maxY()}; }
gfx::Point middleLeft(const gfx::Rect& r) { return {r.minX(), r.midY()}; }
gfx::Point middleRight(const gfx::Rect& r) { return {r.maxX(), r.midY()}; }

gfx::Point point(const gfx::Rect& r, RectAnchor anchor)
{
    switch (anchor) {
    case RectAnchor::topLeft:
        return topLeft(r);
    case RectAnchor::topRight:
        return topRight(r);
    case RectAnchor::bottomRight:
        return bottomRight(r);
    case RectAnchor::bottomLeft:
        return bottomLeft(r);
    case RectAnchor::middleLeft:
        return middleLeft(r);
    case RectAnchor::topCenter:
        return topCenter(r);
    case RectAnchor::middleRight:
        return middleRight(r);
    case RectAnchor::bottomCenter:
        return bottomCenter(r);
    }
    return center(r);
}

gfx::Rect rect(const gfx::Rect& r, RectAnchor anchor, const gfx::Size& size)
{
    return Rect::around(point(r, anchor), size);
}

gfx::Rect square(const gfx::Rect& r, RectAnchor anchor, double edgeSize)
{
    return Rect::around(point(r, anchor), edgeSize);
}

gfx::Rect innerSquare(const gfx::Rect& r)
{
    double w = r.width();
    double h = r.height();
    if (w > h) return gfx::Rect(r.origin.x + (w - h) / 2, r.origin.y, h, h);
    return gfx::Rect(r.origin.x, r.origin.y + (h - w) / 2, w, w);
}

gfx::Rect outerSquare(const gfx::Rect& r)
{
    double w = r.width();
    double h = r.height();
    if (w < h) return gfx::Rect(r.origin.x + (w - h) / 2, r.origin.y, h, h);
    return gfx::Rect(r.origin.x, r.origin.y + (h - w) / 2, w, w);
}

gfx::Rect withOrigin(const gfx::Rect& r, const gfx::Point& origin) { return gfx::Rect(origin, r.size); }
gfx::Rect withX(const gfx::Rect& r, double x) { return gfx::Rect({x, r.origin.y}, r.size); }
gfx::Rect withY(const gfx::Rect& r, double y) { return gfx::Rect({r.origin.x, y}, r.size); }
gfx::Rect withSize(const gfx::Rect& r, const gfx::Size& size) { return gfx::Rect(r.origin, size); }
gfx::Rect withWidth(const gfx::Rect& r, double width) { return gfx::Rect(r.origin, {width, r.size.height}); }
gfx::Rect withHeight(const gfx::Rect& r, double height) { return gfx::Rect(r.origin, {r.size.width, height}); }
gfx::Rect addingOrigin(const gfx::Rect& r, const gfx::Point& delta) { return gfx::Rect(r.origin + delta, r.size); }
gfx::Rect addingX(const gfx::Rect& r, double dx) { return withX(r, r.origin.x + dx); }
gfx::Rect addingY(const gfx::Rect& r, double dy) { return withY(r, r.origin.y + dy); }
gfx::Rect addingSize(const gfx::Rect& r, const gfx::Size& delta) { return gfx::Rect(r.origin, r.size + delta); }
gfx::Rect addingWidth(const gfx::Rect& r, double dw) { return withWidth(r, r.size.width + dw); }
gfx::Rect addingHeight(const gfx::Rect& r, double dh) { return withHeight(r, r.size.height + dh); }

void moveBy(gfx::Rect& r, const gfx::Point& delta) { r.origin += delta; }

RectAnchor move(gfx::Rect& r, RectAnchor anchor, const gfx::Point& p)
{
    if (isRight(anchor)) {
        r.size.width = p.x - r.origin.x;
    } else if (isLeft(anchor)) {
        r.size.width = r.maxX() - p.x;
        r.origin.x = p.x;
    }
    if (isBottom(anchor)) {
        r.size.height = r.maxY() - p.y;
        r.origin.y = p.y;
    } else if (isTop(anchor)) {
        r.size.height = p.y - r.origin.y;
    }
    if (r.size.height < 0) {
        r.size.height = -r.size.height;
        r.origin.y -= r.size.height;
        flipVertical(anchor);
    }
    if (r.size.width < 0) {
        r.size.width = -r.size.width;
        r.origin.x -= r.size.width;
        flipHorizontal(anchor);
    }
    return anchor;
}

void expand(gfx::Rect& r, const gfx::Point& p)
{
    if (p.x < r.origin.x) {
        r.size.width = r.maxX() - p.x;
        r.origin.x = p.x;
    } else if (p.x > r.maxX()) {
        r.size.width = p.x - r.origin.x;
    }
    if (p.y < r.origin.y) {
        r.size.height = r.maxY() - p.y;
        r.origin.y = p.y;
    } else if (p.y > r.maxY()) {
        r.size.height = p.y - r.origin.y;
    }
}

void scaleBy(gfx::Rect& r, double s) { r = scaledBy(r, s, s); }
void scaleBy(gfx::Rect& r, double sx, double sy) { r = scaledBy(r, sx, sy); }
gfx::Rect scaledBy(const gfx::Rect& r, double s) { return scaledBy(r, s, s); }

gfx::Rect scaledBy(const gfx::Rect& r, double sx, double sy)
{
    return gfx::Rect(r.origin.x * sx, r.origin.y * sy, r.size.width * sx, r.size.height * sy);
}

void shrinkByPercent(gfx::Rect& r, double percent) { r = shrunkByPercent(r, percent); }

gfx::Rect shrunkByPercent(const gfx::Rect& r, double percent)
{
    return gfx::inset(r, percent * r.size.width / 2, percent * r.size.height / 2);
}

void shrinkByDelta(gfx::Rect& r, double delta) { r = shrunkByDelta(r, delta); }
gfx::Rect shrunkByDelta(const gfx::Rect& r, double delta) { return gfx::inset(r, delta, delta); }
void shrinkBy(gfx::Rect& r, double dx, double dy) { r = shrunkBy(r, dx, dy); }
gfx::Rect shrunkBy(const gfx::Rect& r, double dx, double dy) { return gfx::inset(r, dx, dy); }

void center(gfx::Rect& r, const gfx::Rect& container) { r = centered(r, container); }

gfx::Rect centered(const gfx::Rect& r, const gfx::Rect& container) { return centered(r.size, container); }

void fit(gfx::Rect& r, const gfx::Rect& container) { r = fitting(r, container); }
gfx::Rect fitting(const gfx::Rect& r, const gfx::Rect& container) { return fitting(r.size, container); }
void fill(gfx::Rect& r, const gfx::Rect& container) { r = filling(r, container); }
gfx::Rect filling(const gfx::Rect& r, const gfx::Rect& container) { return filling(r.size, container); }
void apply(gfx::Rect& r, const gfx::AffineTransform& t) { r = gfx::applying(r, t); }

gfx::Rect operator+(const gfx::Rect& r) { return r; }
gfx::Rect operator-(const gfx::Rect& r) { return gfx::Rect(-r.origin.x, -r.origin.y, -r.size.width, -r.size.height); }

}  // namespace kestrane
