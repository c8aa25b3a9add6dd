// A drawing context in the y-up coordinate system: the origin at the bottom left of what it draws on, y
// growing upwards. It keeps a graphics state (transform, colours, line, alpha, blend mode, clip, fill
// pattern) with save() and restore(), and a current path that fill, stroke and clip consume. Images drawn
// into a rectangle stand upright in it (their top row at the rectangle's top). Serves one thread at a time.
#pragma once

#include <memory>
#include <vector>

#include "platform/gfx/affine_transform.h"
#include "platform/gfx/color.h"
#include "platform/gfx/image.h"
#include "platform/gfx/path.h"
#include "platform/gfx/pattern.h"

namespace gfx {

class Gradient;

enum class FillRule { winding, evenOdd };
enum class BlendMode { normal, copy, sourceAtop };
enum class InterpolationQuality { defaultQuality, none, low, medium, high };

// Whether a gradient also fills before its start and after its end with its first and last colours.
struct GradientOptions {
    bool drawsBeforeStart = false;
    bool drawsAfterEnd = false;
};

class Context {
public:
    struct Impl;
    virtual ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    // The innermost context of this thread that a ContextScope made current; null when none.
    static Context* current();

    void save();
    // Restores the state of the matching save(); does nothing without one.
    void restore();

    // The current transform from user space to the context's base space.
    AffineTransform transform() const;
    // Puts t before the current transform: points are mapped by t first.
    void concat(const AffineTransform& t);
    void translateBy(double tx, double ty);
    void scaleBy(double sx, double sy);
    void rotate(double radians);

    void setAlpha(double alpha);
    void setBlendMode(BlendMode mode);
    void setInterpolationQuality(InterpolationQuality quality);
    void setFillColor(const Color& color);
    void setStrokeColor(const Color& color);
    // Fills take the pattern, at the given alpha, until a fill colour is set.
    void setFillPattern(PatternRef pattern, double alpha = 1.0);
    void setLineWidth(double width);
    // Dash lengths in user units from the phase on; no lengths draws solid lines.
    void setLineDash(double phase, const std::vector<double>& lengths);

    // The current path, built in user space as the transform stood at each step.
    void beginPath();
    void moveTo(const Point& p);
    void addLineTo(const Point& p);
    void addCurveTo(const Point& control1, const Point& control2, const Point& end);
    void addRect(const Rect& r);
    void addEllipse(const Rect& r);
    void addPath(const Path& path);
    void closePath();
    bool isPathEmpty() const;

    void fillPath(FillRule rule = FillRule::winding);
    void strokePath();
    void fillRect(const Rect& r);
    void strokeRect(const Rect& r);
    void fillEllipse(const Rect& r);
    void strokeEllipse(const Rect& r);
    // Fills with the fill colour, replacing what is there by default.
    void rectFill(const Rect& r, BlendMode mode = BlendMode::copy);

    // Narrows the clip to the current path (and consumes it), or to a rectangle.
    void clip(FillRule rule = FillRule::winding);
    void clipToRect(const Rect& r);
    // The clip's bounds in user space; the whole drawing area when nothing is clipped.
    Rect clipBoundingBox() const;

    void drawImage(const ImageRef& image, const Rect& rect);
    void drawLinearGradient(const Gradient& gradient, const Point& start, const Point& end,
                            GradientOptions options = {});
    void drawRadialGradient(const Gradient& gradient, const Point& startCenter, double startRadius,
                            const Point& endCenter, double endRadius, GradientOptions options = {});

    Impl& impl() { return *impl_; }
    const Impl& impl() const { return *impl_; }

protected:
    explicit Context(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};

// Makes a context current on this thread for the scope's lifetime (scopes nest).
class ContextScope {
public:
    explicit ContextScope(Context& context);
    ~ContextScope();
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;
};

}  // namespace gfx
