#include "appkit/simple_views.h"

#include "platform/gfx/context.h"
#include "platform/gfx/gradient.h"

namespace kestrane {

void GradientView::setStartingColor(const std::optional<gfx::Color>& color)
{
    startingColor_ = color;
    setNeedsDisplay();
}

void GradientView::setEndingColor(const std::optional<gfx::Color>& color)
{
    endingColor_ = color;
    setNeedsDisplay();
}

void GradientView::setAngle(double degrees)
{
    angle_ = degrees;
    setNeedsDisplay();
}

void GradientView::draw(const gfx::Rect& dirty)
{
    View::draw(dirty);
    auto* context = gfx::Context::current();
    if (!context || !startingColor_ || !endingColor_) return;
    if (auto gradient = gfx::Gradient::create({*startingColor_, *endingColor_}))
        gradient->drawInRect(*context, bounds(), angle_);
}

void ColoredView::setBackgroundColor(const std::optional<gfx::Color>& color)
{
    backgroundColor_ = color;
    setNeedsDisplay();
}

void ColoredView::draw(const gfx::Rect& dirty)
{
    View::draw(dirty);
    auto* context = gfx::Context::current();
    if (!context || !backgroundColor_) return;
    context->setFillColor(*backgroundColor_);
    context->rectFill(bounds(), gfx::BlendMode::copy);
}

gfx::Rect CenteredClipView::constrainBoundsRect(const gfx::Rect& proposed) const
{
    gfx::Rect r = ClipView::constrainBoundsRect(proposed);
    auto document = documentView();
    if (!document) return r;
    const gfx::Rect d = document->frame();
    if (r.size.width > d.size.width) r.origin.x += (d.size.width - r.size.width) * 0.5;
    if (r.size.height > d.size.height) r.origin.y += (d.size.height - r.size.height) * 0.5;
    return r;
}

}  // namespace kestrane
