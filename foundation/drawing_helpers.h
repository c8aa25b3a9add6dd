// Drawing helpers over the platform's drawing context, paths, gradients and colour spaces: RGB bitmap
// contexts, the current context, rounded rectangles, gradients filling a rectangle, coloured patterns and
// text laid out in a rectangle or a path. Each runs on the caller's thread.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/attributed_string.h"
#include "platform/gfx/bitmap_context.h"
#include "platform/gfx/color_space.h"
#include "platform/gfx/gradient.h"
#include "platform/gfx/path.h"
#include "platform/gfx/pattern.h"

namespace kestrane {

namespace CGContext {

// An 8-bit RGB bitmap context with premultiplied alpha and memory of its own; null when it cannot be made.
std::shared_ptr<gfx::BitmapContext> createRGBBitmapContext(int width, int height);
// The context the interface is drawing into on this thread; null outside drawing.
gfx::Context* getCurrentGraphicsContext();

}  // namespace CGContext

void saveGStateInBlock(gfx::Context& context, const std::function<void()>& block);
void moveTo(gfx::Context& context, double x, double y);
void addLineTo(gfx::Context& context, double x, double y);
void addRoundedRec(gfx::Context& context, const gfx::Rect& rect, double corner);
// Begins a new path, adds the rounded rectangle and clips to it (non-zero winding).
void clip(gfx::Context& context, const gfx::Rect& rect, double corner);
void setFillColoredPattern(gfx::Context& context, const gfx::PatternRef& pattern, double alpha = 1.0);
// Also fills before the start; nothing after the end.
void drawLinearGradient(gfx::Context& context, const gfx::Gradient& gradient, const gfx::Point& start,
                        const gfx::Point& end);
// From a point at the centre out to the radius; also fills before the start.
void drawRadialGradient(gfx::Context& context, const gfx::Gradient& gradient, const gfx::Point& center, double radius);
// Clip to the rectangle (left in force), then a gradient from its bottom to its top.
void drawVerticalGradient(gfx::Context& context, const gfx::Gradient& gradient, const gfx::Rect& rect);
// Clip to the rectangle (left in force), then a gradient from its left to its right.
void drawHorizontalGradient(gfx::Context& context, const gfx::Gradient& gradient, const gfx::Rect& rect);
void drawString(gfx::Context& context, const std::string& string, const gfx::Rect& rect,
                const gfx::TextAttributes& attributes);
// Laid out in the path's bounding box.
void drawString(gfx::Context& context, const std::string& string, const gfx::Path& path,
                const gfx::TextAttributes& attributes);

namespace CGPath {

gfx::Path create(const gfx::Rect& rect);
gfx::Path create(const gfx::Rect& rect, double corner);

}  // namespace CGPath

namespace CGGradient {

// The two colours at 0 and 1.
gfx::GradientRef create(const gfx::Color& startingColor, const gfx::Color& endingColor);
// One location per colour.
gfx::GradientRef create(const std::vector<gfx::Color>& colors, const std::vector<double>& locations);

}  // namespace CGGradient

namespace CGColorSpace {

std::optional<gfx::ColorSpace> createDeviceRGB();
std::optional<gfx::ColorSpace> createDeviceGray();
std::optional<gfx::ColorSpace> createDeviceCMYK();

}  // namespace CGColorSpace

}  // namespace kestrane
