#include "foundation/drawing_helpers.h"

namespace kestrane {

namespace CGContext {

std::shared_ptr<gfx::BitmapContext> createRGBBitmapContext(int width, int height)
{
    return gfx::BitmapContext::create(width, height, gfx::AlphaInfo::premultipliedFirst);
}

gfx::Context* getCurrentGraphicsContext() { return gfx::Context::current(); }

}  // namespace CGContext

void saveGStateInBlock(gfx::Context& context, const std::function<void()>& block)
{
    context.save();
    block();
    context.restore();
}

void moveTo(gfx::Context& context, double x, double y) { context.moveTo({x, y}); }

void addLineTo(gfx::Context& context, double x, double y) { context.addLineTo({x, y}); }

void addRoundedRec(gfx::Context& context, const gfx::Rect& rect, double corner)
{
    context.addPath(gfx::Path::roundedRect(rect, corner, corner));
}

void clip(gfx::Context& context, const gfx::Rect& rect, double corner)
{
    context.beginPath();
    addRoundedRec(context, rect, corner);
    context.clip(gfx::FillRule::winding);
}

void setFillColoredPattern(gfx::Context& context, const gfx::PatternRef& pattern, double alpha)
{
    context.setFillPattern(pattern, alpha);
}

void drawLinearGradient(gfx::Context& context, const gfx::Gradient& gradient, const gfx::Point& start,
                        const gfx::Point& end)
{
    context.drawLinearGradient(gradient, start, end, {.drawsBeforeStart = true, .drawsAfterEnd = false});
}

void drawRadialGradient(gfx::Context& context, const gfx::Gradient& gradient, const gfx::Point& center, double radius)
{
    context.drawRadialGradient(gradient, center, 0, center, radius, {.drawsBeforeStart = true, .drawsAfterEnd = false});
}

void drawVerticalGradient(gfx::Context& context, const gfx::Gradient& gradient, const gfx::Rect& rect)
{
    context.clipToRect(rect);
    drawLinearGradient(context, gradient, {rect.midX(), rect.minY()}, {rect.midX(), rect.maxY()});
}

void drawHorizontalGradient(gfx::Context& context, const gfx::Gradient& gradient, const gfx::Rect& rect)
{
    context.clipToRect(rect);
    drawLinearGradient(context, gradient, {rect.minX(), rect.midY()}, {rect.maxX(), rect.midY()});
}

void drawString(gfx::Context& context, const std::string& string, const gfx::Rect& rect,
                const gfx::TextAttributes& attributes)
{
    gfx::drawText(context, gfx::AttributedString(string, attributes), rect);
}

void drawString(gfx::Context& context, const std::string& string, const gfx::Path& path,
                const gfx::TextAttributes& attributes)
{
    drawString(context, string, path.boundingBox(), attributes);
}

namespace CGPath {

gfx::Path create(const gfx::Rect& rect) { return gfx::Path::rect(rect); }

gfx::Path create(const gfx::Rect& rect, double corner) { return gfx::Path::roundedRect(rect, corner, corner); }

}  // namespace CGPath

namespace CGGradient {

gfx::GradientRef create(const gfx::Color& startingColor, const gfx::Color& endingColor)
{
    return gfx::Gradient::create({startingColor, endingColor});
}

gfx::GradientRef create(const std::vector<gfx::Color>& colors, const std::vector<double>& locations)
{
    return gfx::Gradient::create(colors, locations);
}

}  // namespace CGGradient

namespace CGColorSpace {

std::optional<gfx::ColorSpace> createDeviceRGB() { return gfx::ColorSpace::deviceRGB; }

std::optional<gfx::ColorSpace> createDeviceGray() { return gfx::ColorSpace::deviceGray; }

std::optional<gfx::ColorSpace> createDeviceCMYK() { return gfx::ColorSpace::deviceCMYK; }

}  // namespace CGColorSpace

}  // namespace kestrane
