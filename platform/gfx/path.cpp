#include "platform/gfx/path.h"

#include <algorithm>
#include <cmath>

namespace gfx {

namespace {

// The distance of a cubic's control points from the corner that makes it follow a quarter circle.
constexpr double kappa = 0.5522847498307936;

}  // namespace

Path Path::rect(const Rect& r, const AffineTransform& t)
{
    Path path;
    path.addRect(r, t);
    return path;
}

Path Path::roundedRect(const Rect& r, double cornerWidth, double cornerHeight, const AffineTransform& t)
{
    Path path;
    path.addRoundedRect(r, cornerWidth, cornerHeight, t);
    return path;
}

Path Path::ellipse(const Rect& r, const AffineTransform& t)
{
    Path path;
    path.addEllipse(r, t);
    return path;
}

void Path::moveTo(const Point& p, const AffineTransform& t)
{
    const Point q = gfx::applying(p, t);
    elements_.push_back({ElementType::moveTo, {q}});
    hasCurrentPoint_ = true;
    closed_ = false;
    subpathStart_ = q;
}

void Path::addLineTo(const Point& p, const AffineTransform& t)
{
    if (!hasCurrentPoint_) return moveTo(p, t);
    continueAfterClose();
    elements_.push_back({ElementType::lineTo, {gfx::applying(p, t)}});
}

void Path::addCurveTo(const Point& control1, const Point& control2, const Point& end, const AffineTransform& t)
{
    if (!hasCurrentPoint_) moveTo(control1, t);
    continueAfterClose();
    elements_.push_back(
        {ElementType::curveTo, {gfx::applying(control1, t), gfx::applying(control2, t), gfx::applying(end, t)}});
}

void Path::closeSubpath()
{
    if (!hasCurrentPoint_) return;
    elements_.push_back({ElementType::closeSubpath, {}});
    closed_ = true;
}

void Path::continueAfterClose()
{
    // A segment after a close starts a new subpath where the closed one started.
    if (closed_) elements_.push_back({ElementType::moveTo, {subpathStart_}});
    closed_ = false;
}

void Path::addRect(const Rect& r, const AffineTransform& t)
{
    if (r.isNull()) return;
    moveTo({r.minX(), r.minY()}, t);
    addLineTo({r.maxX(), r.minY()}, t);
    addLineTo({r.maxX(), r.maxY()}, t);
    addLineTo({r.minX(), r.maxY()}, t);
    closeSubpath();
}

void Path::addRoundedRect(const Rect& r, double cornerWidth, double cornerHeight, const AffineTransform& t)
{
    if (r.isNull()) return;
    const double rx = std::clamp(cornerWidth, 0.0, r.width() / 2), ry = std::clamp(cornerHeight, 0.0, r.height() / 2);
    if (rx == 0 || ry == 0) return addRect(r, t);
    const double kx = rx * kappa, ky = ry * kappa;
    const double x0 = r.minX(), x1 = r.maxX(), y0 = r.minY(), y1 = r.maxY();
    moveTo({x0 + rx, y0}, t);
    addLineTo({x1 - rx, y0}, t);
    addCurveTo({x1 - rx + kx, y0}, {x1, y0 + ry - ky}, {x1, y0 + ry}, t);
    addLineTo({x1, y1 - ry}, t);
    addCurveTo({x1, y1 - ry + ky}, {x1 - rx + kx, y1}, {x1 - rx, y1}, t);
    addLineTo({x0 + rx, y1}, t);
    addCurveTo({x0 + rx - kx, y1}, {x0, y1 - ry + ky}, {x0, y1 - ry}, t);
    addLineTo({x0, y0 + ry}, t);
    addCurveTo({x0, y0 + ry - ky}, {x0 + rx - kx, y0}, {x0 + rx, y0}, t);
    closeSubpath();
}

void Path::addEllipse(const Rect& r, const AffineTransform& t)
{
    if (r.isNull()) return;
    const double cx = r.midX(), cy = r.midY(), rx = r.width() / 2, ry = r.height() / 2;
    const double kx = rx * kappa, ky = ry * kappa;
    moveTo({cx + rx, cy}, t);
    addCurveTo({cx + rx, cy + ky}, {cx + kx, cy + ry}, {cx, cy + ry}, t);
    addCurveTo({cx - kx, cy + ry}, {cx - rx, cy + ky}, {cx - rx, cy}, t);
    addCurveTo({cx - rx, cy - ky}, {cx - kx, cy - ry}, {cx, cy - ry}, t);
    addCurveTo({cx + kx, cy - ry}, {cx + rx, cy - ky}, {cx + rx, cy}, t);
    closeSubpath();
}

void Path::addPath(const Path& other, const AffineTransform& t)
{
    for (const auto& element : other.elements_) {
        switch (element.type) {
        case ElementType::moveTo:
            moveTo(element.points[0], t);
            break;
        case ElementType::lineTo:
            addLineTo(element.points[0], t);
            break;
        case ElementType::curveTo:
            addCurveTo(element.points[0], element.points[1], element.points[2], t);
            break;
        case ElementType::closeSubpath:
            closeSubpath();
            break;
        }
    }
}

Rect Path::boundingBox() const
{
    Rect box = Rect::null();
    for (const auto& element : elements_)
        for (const auto& p : element.points)
            box = unionOf(box, Rect(p.x, p.y, 0, 0));
    return box;
}

Path Path::applying(const AffineTransform& t) const
{
    Path path;
    path.addPath(*this, t);
    return path;
}

}  // namespace gfx
