#include "platform/gfx/context.h"

#include <QImage>
#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

#include "platform/gfx/detail/qt_context.h"
#include "platform/gfx/gradient.h"

namespace gfx {

namespace {

thread_local std::vector<Context*> currentContexts;

QPainter::CompositionMode compositionMode(BlendMode mode)
{
    switch (mode) {
    case BlendMode::copy:
        return QPainter::CompositionMode_Source;
    case BlendMode::sourceAtop:
        return QPainter::CompositionMode_SourceAtop;
    case BlendMode::normal:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

QPointF toQPoint(const Point& p) { return {p.x, p.y}; }

void setStops(QGradient& qgradient, const Gradient& gradient)
{
    QGradientStops stops;
    for (const auto& stop : gradient.stops())
        stops.append({std::clamp(stop.location, 0.0, 1.0), toQColor(stop.color)});
    qgradient.setStops(stops);
}

// Entries within a hair of a whole number are made whole, so that quarter turns computed with std::cos and
// std::sin map pixels onto pixels exactly.
QTransform snapped(const QTransform& t)
{
    const auto snap = [](double v) {
        const double whole = std::round(v);
        return std::abs(v - whole) < 1e-9 ? whole : v;
    };
    return QTransform(snap(t.m11()), snap(t.m12()), snap(t.m21()), snap(t.m22()), snap(t.dx()), snap(t.dy()));
}

// True when the transform moves whole pixels onto whole pixels: quarter turns and flips at scale 1 and
// whole-number moves.
bool copiesPixels(const QTransform& t)
{
    const bool axes = t.m12() == 0 && t.m21() == 0 && std::abs(t.m11()) == 1 && std::abs(t.m22()) == 1;
    const bool turned = t.m11() == 0 && t.m22() == 0 && std::abs(t.m12()) == 1 && std::abs(t.m21()) == 1;
    return (axes || turned) && t.dx() == std::round(t.dx()) && t.dy() == std::round(t.dy());
}

}  // namespace

QColor toQColor(const Color& color)
{
    const auto unit = [](double v) { return std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0); };
    return QColor::fromRgbF(float(unit(color.r)), float(unit(color.g)), float(unit(color.b)), float(unit(color.a)));
}

QTransform toQTransform(const AffineTransform& t) { return QTransform(t.a, t.b, t.c, t.d, t.tx, t.ty); }

QPainterPath toQPainterPath(const Path& path)
{
    QPainterPath qpath;
    for (const auto& element : path.elements()) {
        const auto& p = element.points;
        switch (element.type) {
        case Path::ElementType::moveTo:
            qpath.moveTo(toQPoint(p[0]));
            break;
        case Path::ElementType::lineTo:
            qpath.lineTo(toQPoint(p[0]));
            break;
        case Path::ElementType::curveTo:
            qpath.cubicTo(toQPoint(p[0]), toQPoint(p[1]), toQPoint(p[2]));
            break;
        case Path::ElementType::closeSubpath:
            qpath.closeSubpath();
            break;
        }
    }
    return qpath;
}

QPainter& painterOf(Context& context) { return context.impl().painter; }

QTransform userToDevice(const Context& context)
{
    return toQTransform(context.impl().state.transform) * context.impl().base;
}

double contextAlpha(const Context& context) { return context.impl().state.alpha; }

namespace {

// Drawing helpers over a context's state.
class Painting {
public:
    explicit Painting(Context::Impl& impl, const QTransform& world, double extraAlpha = 1.0,
                      std::optional<BlendMode> mode = std::nullopt)
        : impl_(impl)
    {
        QPainter& painter = impl.painter;
        painter.save();
        painter.setWorldTransform(world);
        painter.setOpacity(std::clamp(impl.state.alpha * extraAlpha, 0.0, 1.0));
        painter.setCompositionMode(compositionMode(mode.value_or(impl.state.blendMode)));
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
    }
    ~Painting() { impl_.painter.restore(); }
    QPainter& painter() { return impl_.painter; }

private:
    Context::Impl& impl_;
};

QBrush patternBrush(const Pattern& pattern, const QTransform& base)
{
    const ImageRef& tile = pattern.tile();
    const QImage image(reinterpret_cast<const uchar*>(tile->data()), tile->width(), tile->height(), tile->bytesPerRow(),
                       QImage::Format_ARGB32_Premultiplied);
    QBrush brush(image.copy());
    const Size size = pattern.tileSize();
    // Tile pixels (rows from the top) to the y-up tile space, then to the base space, then to the device.
    const QTransform tileToPattern(size.width / tile->width(), 0, 0, -size.height / tile->height(), 0, size.height);
    brush.setTransform(tileToPattern * toQTransform(pattern.transform()) * base);
    return brush;
}

}  // namespace

Context::Context(std::unique_ptr<Impl> impl) : impl_(std::move(impl))
{
    impl_->painter.setRenderHint(QPainter::Antialiasing, true);
}

Context::~Context() = default;

Context* Context::current() { return currentContexts.empty() ? nullptr : currentContexts.back(); }

ContextScope::ContextScope(Context& context) { currentContexts.push_back(&context); }

ContextScope::~ContextScope() { currentContexts.pop_back(); }

namespace {

void applyClip(Context::Impl& impl)
{
    impl.painter.setWorldTransform(QTransform());
    if (impl.state.clip)
        impl.painter.setClipPath(*impl.state.clip);
    else
        impl.painter.setClipping(false);
}

void fillDevicePath(Context::Impl& impl, QPainterPath path, FillRule rule, std::optional<BlendMode> mode = {},
                    bool colorOnly = false)
{
    path.setFillRule(rule == FillRule::evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    const bool usePattern = impl.state.fillPattern && !colorOnly;
    Painting painting(impl, QTransform(), usePattern ? impl.state.patternAlpha : 1.0, mode);
    const QBrush brush =
        usePattern ? patternBrush(*impl.state.fillPattern, impl.base) : QBrush(toQColor(impl.state.fillColor));
    painting.painter().fillPath(path, brush);
}

void strokeDevicePath(Context::Impl& impl, const QPainterPath& path)
{
    bool invertible = false;
    const QTransform world = toQTransform(impl.state.transform) * impl.base;
    const QTransform inverse = world.inverted(&invertible);
    if (!invertible) return;
    QPen pen(toQColor(impl.state.strokeColor));
    const double width = std::max(impl.state.lineWidth, 0.0);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (!impl.state.dashLengths.empty() && width > 0) {
        QList<qreal> pattern;
        for (double length : impl.state.dashLengths)
            pattern.append(std::max(length, 0.0) / width);
        if (pattern.size() % 2) pattern.append(pattern);
        pen.setDashPattern(pattern);
        pen.setDashOffset(impl.state.dashPhase / width);
    }
    Painting painting(impl, world);
    painting.painter().strokePath(inverse.map(path), pen);
}

}  // namespace

void Context::save() { impl_->saved.push_back(impl_->state); }

void Context::restore()
{
    if (impl_->saved.empty()) return;
    impl_->state = std::move(impl_->saved.back());
    impl_->saved.pop_back();
    applyClip(*impl_);
}

AffineTransform Context::transform() const { return impl_->state.transform; }

void Context::concat(const AffineTransform& t) { impl_->state.transform = gfx::concat(t, impl_->state.transform); }

void Context::translateBy(double tx, double ty) { concat(AffineTransform::translation(tx, ty)); }

void Context::scaleBy(double sx, double sy) { concat(AffineTransform::scaling(sx, sy)); }

void Context::rotate(double radians) { concat(AffineTransform::rotation(radians)); }

void Context::setAlpha(double alpha) { impl_->state.alpha = std::isnan(alpha) ? 0.0 : std::clamp(alpha, 0.0, 1.0); }

void Context::setBlendMode(BlendMode mode) { impl_->state.blendMode = mode; }

void Context::setInterpolationQuality(InterpolationQuality quality) { impl_->state.interpolation = quality; }

void Context::setFillColor(const Color& color)
{
    impl_->state.fillColor = color;
    impl_->state.fillPattern = nullptr;
}

void Context::setStrokeColor(const Color& color) { impl_->state.strokeColor = color; }

void Context::setFillPattern(PatternRef pattern, double alpha)
{
    impl_->state.fillPattern = std::move(pattern);
    impl_->state.patternAlpha = std::isnan(alpha) ? 0.0 : std::clamp(alpha, 0.0, 1.0);
}

void Context::setLineWidth(double width) { impl_->state.lineWidth = width; }

void Context::setLineDash(double phase, const std::vector<double>& lengths)
{
    impl_->state.dashPhase = phase;
    impl_->state.dashLengths = lengths;
}

void Context::beginPath() { impl_->path = QPainterPath(); }

void Context::moveTo(const Point& p) { impl_->path.moveTo(userToDevice(*this).map(toQPoint(p))); }

void Context::addLineTo(const Point& p)
{
    if (impl_->path.elementCount() == 0) return moveTo(p);
    impl_->path.lineTo(userToDevice(*this).map(toQPoint(p)));
}

void Context::addCurveTo(const Point& control1, const Point& control2, const Point& end)
{
    const QTransform t = userToDevice(*this);
    if (impl_->path.elementCount() == 0) impl_->path.moveTo(t.map(toQPoint(control1)));
    impl_->path.cubicTo(t.map(toQPoint(control1)), t.map(toQPoint(control2)), t.map(toQPoint(end)));
}

void Context::addRect(const Rect& r) { addPath(Path::rect(r)); }

void Context::addEllipse(const Rect& r) { addPath(Path::ellipse(r)); }

void Context::addPath(const Path& path) { impl_->path.addPath(userToDevice(*this).map(toQPainterPath(path))); }

void Context::closePath() { impl_->path.closeSubpath(); }

bool Context::isPathEmpty() const { return impl_->path.elementCount() == 0; }

void Context::fillPath(FillRule rule)
{
    fillDevicePath(*impl_, impl_->path, rule);
    beginPath();
}

void Context::strokePath()
{
    strokeDevicePath(*impl_, impl_->path);
    beginPath();
}

void Context::fillRect(const Rect& r)
{
    fillDevicePath(*impl_, userToDevice(*this).map(toQPainterPath(Path::rect(r))), FillRule::winding);
}

void Context::strokeRect(const Rect& r)
{
    strokeDevicePath(*impl_, userToDevice(*this).map(toQPainterPath(Path::rect(r))));
}

void Context::fillEllipse(const Rect& r)
{
    fillDevicePath(*impl_, userToDevice(*this).map(toQPainterPath(Path::ellipse(r))), FillRule::winding);
}

void Context::strokeEllipse(const Rect& r)
{
    strokeDevicePath(*impl_, userToDevice(*this).map(toQPainterPath(Path::ellipse(r))));
}

void Context::rectFill(const Rect& r, BlendMode mode)
{
    fillDevicePath(*impl_, userToDevice(*this).map(toQPainterPath(Path::rect(r))), FillRule::winding, mode, true);
}

namespace {

void narrowClip(Context::Impl& impl, QPainterPath path, FillRule rule)
{
    path.setFillRule(rule == FillRule::evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    impl.state.clip = impl.state.clip ? impl.state.clip->intersected(path) : path;
    applyClip(impl);
}

}  // namespace

void Context::clip(FillRule rule)
{
    narrowClip(*impl_, impl_->path, rule);
    beginPath();
}

void Context::clipToRect(const Rect& r)
{
    narrowClip(*impl_, userToDevice(*this).map(toQPainterPath(Path::rect(r))), FillRule::winding);
}

Rect Context::clipBoundingBox() const
{
    QRectF device = impl_->deviceBounds;
    if (impl_->state.clip) device = device.intersected(impl_->state.clip->boundingRect());
    if (device.isEmpty()) return Rect::null();
    bool invertible = false;
    const QTransform inverse = userToDevice(*this).inverted(&invertible);
    if (!invertible) return Rect::null();
    const QRectF user = inverse.mapRect(device);
    return Rect(user.x(), user.y(), user.width(), user.height());
}

void Context::drawImage(const ImageRef& image, const Rect& rect)
{
    const Rect r = rect.standardized();
    if (!image || r.isEmpty()) return;
    const QImage qimage(reinterpret_cast<const uchar*>(image->data()), image->width(), image->height(),
                        image->bytesPerRow(), QImage::Format_ARGB32_Premultiplied);
    // Image pixels, rows from the top, onto the rectangle with row 0 at its top (maxY).
    const QTransform imageToUser(r.width() / image->width(), 0, 0, -r.height() / image->height(), r.minX(), r.maxY());
    const QTransform world = snapped(imageToUser * userToDevice(*this));
    const bool exact = copiesPixels(world);
    Painting painting(*impl_, world);
    QPainter& painter = painting.painter();
    painter.setRenderHint(QPainter::Antialiasing, !exact);
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          !exact && impl_->state.interpolation != InterpolationQuality::none);
    painter.drawImage(QPointF(0, 0), qimage);
}

namespace {

// The device area as seen in user space: what a gradient that extends must cover.
QRectF userBounds(const Context& context)
{
    bool invertible = false;
    const QTransform inverse = userToDevice(context).inverted(&invertible);
    return invertible ? inverse.mapRect(context.impl().deviceBounds) : QRectF();
}

}  // namespace

void Context::drawLinearGradient(const Gradient& gradient, const Point& start, const Point& end,
                                 GradientOptions options)
{
    const double dx = end.x - start.x, dy = end.y - start.y, length = std::hypot(dx, dy);
    const QRectF bounds = userBounds(*this);
    if (!(length > 0) || bounds.isEmpty()) return;
    // The band across the axis that the gradient covers: [start, end] plus what the options add.
    const double ux = dx / length, uy = dy / length;
    double reach = 1;
    for (const QPointF& corner : {bounds.topLeft(), bounds.topRight(), bounds.bottomLeft(), bounds.bottomRight()})
        reach = std::max(reach, std::hypot(corner.x() - start.x, corner.y() - start.y) + length + 1);
    const double from = options.drawsBeforeStart ? -reach : 0, to = options.drawsAfterEnd ? reach : length;
    const auto at = [&](double along, double across) {
        return QPointF(start.x + ux * along - uy * across, start.y + uy * along + ux * across);
    };
    QPainterPath band;
    band.addPolygon(QPolygonF({at(from, -reach), at(to, -reach), at(to, reach), at(from, reach)}));
    band.closeSubpath();
    QLinearGradient qgradient(toQPoint(start), toQPoint(end));
    setStops(qgradient, gradient);
    Painting painting(*impl_, userToDevice(*this));
    painting.painter().fillPath(band, QBrush(qgradient));
}

void Context::drawRadialGradient(const Gradient& gradient, const Point& startCenter, double startRadius,
                                 const Point& endCenter, double endRadius, GradientOptions options)
{
    const QRectF bounds = userBounds(*this);
    if (bounds.isEmpty() || !(endRadius >= 0) || !(startRadius >= 0)) return;
    QPainterPath area;
    if (options.drawsAfterEnd)
        area.addRect(
            bounds.adjusted(-1, -1, 1, 1)
                .united(QRectF(endCenter.x - endRadius, endCenter.y - endRadius, 2 * endRadius, 2 * endRadius)));
    else
        area.addEllipse(toQPoint(endCenter), endRadius, endRadius);
    if (!options.drawsBeforeStart && startRadius > 0) {
        QPainterPath inner;
        inner.addEllipse(toQPoint(startCenter), startRadius, startRadius);
        area = area.subtracted(inner);
    }
    QRadialGradient qgradient(toQPoint(endCenter), endRadius, toQPoint(startCenter), startRadius);
    setStops(qgradient, gradient);
    Painting painting(*impl_, userToDevice(*this));
    painting.painter().fillPath(area, QBrush(qgradient));
}

PainterContext::PainterContext(QPainter& painter, const QTransform& base, const QRectF& deviceBounds)
    : Context(std::make_unique<Impl>(painter, base, deviceBounds))
{
}

}  // namespace gfx
