#include "numerics/convex_hull.h"

#include <algorithm>
#include <compare>

#include "numerics/triangle.h"

namespace kestrane::Point {

namespace {

// An exact order, total even with NaN coordinates, so the sort is well defined on any input.
bool sortsBefore(const gfx::Point& p, const gfx::Point& q)
{
    std::strong_ordering byX = std::strong_order(p.x, q.x);
    if (byX != 0) return byX < 0;
    return std::strong_order(p.y, q.y) < 0;
}

// Drops the last points of the chain (beyond base) that do not turn counter-clockwise towards p.
void addToChain(std::vector<gfx::Point>& chain, std::size_t base, const gfx::Point& p)
{
    while (chain.size() >= base + 2) {
        Triangle::CollinearityState state = Triangle(chain[chain.size() - 2], chain.back(), p).collinearity(6);
        if (state == Triangle::CollinearityState::point || state == Triangle::CollinearityState::counterClockwiseTurn) {
            break;
        }
        chain.pop_back();
    }
    chain.push_back(p);
}

}  // namespace

std::vector<gfx::Point> convexHull(std::vector<gfx::Point> points) { return convexHullInPlace(points); }

std::vector<gfx::Point> convexHullInPlace(std::vector<gfx::Point>& points)
{
    std::sort(points.begin(), points.end(), sortsBefore);
    std::vector<gfx::Point> hull;
    if (points.empty()) return hull;
    for (const gfx::Point& p : points)
        addToChain(hull, 0, p);
    hull.pop_back();
    std::size_t base = hull.size();
    for (auto p = points.rbegin(); p != points.rend(); ++p)
        addToChain(hull, base, *p);
    hull.pop_back();
    return hull;
}

}  // namespace kestrane::Point
