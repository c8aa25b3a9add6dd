// The Qt side of gfx::Context, for the platform layer's own use: contexts over a QPainter, and what text
// and widget code needs of a context's state.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>

#include <optional>

#include "platform/gfx/context.h"

namespace gfx {

struct Context::Impl {
    struct State {
        AffineTransform transform;
        Color fillColor = Color::black();
        Color strokeColor = Color::black();
        PatternRef fillPattern;
        double patternAlpha = 1;
        double lineWidth = 1;
        double dashPhase = 0;
        std::vector<double> dashLengths;
        double alpha = 1;
        BlendMode blendMode = BlendMode::normal;
        InterpolationQuality interpolation = InterpolationQuality::defaultQuality;
        // In device coordinates; none when nothing is clipped.
        std::optional<QPainterPath> clip;
    };

    Impl(QPainter& painter, const QTransform& base, const QRectF& deviceBounds)
        : painter(painter), base(base), deviceBounds(deviceBounds)
    {
    }

    QPainter& painter;
    // From the base y-up space to device pixels.
    QTransform base;
    QRectF deviceBounds;
    State state;
    std::vector<State> saved;
    // The current path in device coordinates.
    QPainterPath path;
};

// A context drawing through a painter that someone else owns. `base` maps the context's base space to the
// painter's device: for a y-up surface of height h, QTransform(1, 0, 0, -1, 0, h).
class PainterContext : public Context {
public:
    PainterContext(QPainter& painter, const QTransform& base, const QRectF& deviceBounds);
};

QPainter& painterOf(Context& context);
// The current transform followed by the base transform: user space to device pixels.
QTransform userToDevice(const Context& context);
double contextAlpha(const Context& context);
QColor toQColor(const Color& color);
QTransform toQTransform(const AffineTransform& t);
QPainterPath toQPainterPath(const Path& path);

}  // namespace gfx
