#include "app/document/drop_button_cell.h"

#include "appkit/text_attributes.h"
#include "foundation/drawing_helpers.h"
#include "numerics/rect_geometry.h"
#include "platform/core/case_mapping.h"
#include "platform/gfx/context.h"

namespace vistrel {

const gfx::Color& DropButtonCell::normalColor()
{
    static const gfx::Color color = gfx::Color::rgb(0.26, 0.56, 0.95, 1.0);
    return color;
}

const gfx::Color& DropButtonCell::highlightedColor()
{
    static const gfx::Color color = gfx::Color::rgb(0.18, 0.45, 0.75, 1.0);
    return color;
}

void DropButtonCell::drawBezel(const gfx::Rect& frame)
{
    gfx::Context* context = kestrane::CGContext::getCurrentGraphicsContext();
    if (!context) return;
    context->setFillColor(isHighlighted() ? highlightedColor() : normalColor());
    context->beginPath();
    kestrane::addRoundedRec(*context, frame, frame.height() / 2);
    context->fillPath(gfx::FillRule::winding);
}

gfx::Rect DropButtonCell::drawTitle(const gfx::AttributedString& title, const gfx::Rect& frame)
{
    const kestrane::NSTextAttributes attributes("Arial", 10, gfx::Color::white(), gfx::TextAlignment::center);
    const gfx::AttributedString upper = attributes.formateString(core::uppercased(title.text()));
    return Button::drawTitle(upper, kestrane::withY(frame, 3));
}

}  // namespace vistrel
