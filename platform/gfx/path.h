// A path: subpaths of lines and cubic curves, in points, y-up. A value type, built with the same steps as a
// drawing context's current path. Rounded-rectangle corners are clamped to half a side.
#pragma once

#include <vector>

#include "platform/gfx/affine_transform.h"
#include "platform/gfx/rect.h"

namespace gfx {

class Path {
public:
    enum class ElementType { moveTo, lineTo, curveTo, closeSubpath };
    struct Element {
        ElementType type;
        // moveTo and lineTo: one point; curveTo: two control points, then the end; closeSubpath: none.
        std::vector<Point> points;
        friend bool operator==(const Element&, const Element&) = default;
    };

    static Path rect(const Rect& r, const AffineTransform& t = AffineTransform::identity());
    static Path roundedRect(const Rect& r, double cornerWidth, double cornerHeight,
                            const AffineTransform& t = AffineTransform::identity());
    static Path ellipse(const Rect& r, const AffineTransform& t = AffineTransform::identity());

    void moveTo(const Point& p, const AffineTransform& t = AffineTransform::identity());
    // Starts a subpath at p when there is no current point.
    void addLineTo(const Point& p, const AffineTransform& t = AffineTransform::identity());
    void addCurveTo(const Point& control1, const Point& control2, const Point& end,
                    const AffineTransform& t = AffineTransform::identity());
    void closeSubpath();
    void addRect(const Rect& r, const AffineTransform& t = AffineTransform::identity());
    void addRoundedRect(const Rect& r, double cornerWidth, double cornerHeight,
                        const AffineTransform& t = AffineTransform::identity());
    void addEllipse(const Rect& r, const AffineTransform& t = AffineTransform::identity());
    void addPath(const Path& other, const AffineTransform& t = AffineTransform::identity());

    bool isEmpty() const { return elements_.empty(); }
    // The smallest rectangle holding every point, control points included; null for an empty path.
    Rect boundingBox() const;
    const std::vector<Element>& elements() const { return elements_; }
    // The path with every point transformed.
    Path applying(const AffineTransform& t) const;

    friend bool operator==(const Path&, const Path&) = default;

private:
    void continueAfterClose();

    std::vector<Element> elements_;
    bool hasCurrentPoint_ = false;
    bool closed_ = false;
    Point subpathStart_;
};

}  // namespace gfx
