#include "platform/ui/visual_effect_view.h"

#include "platform/gfx/context.h"

namespace ui {

void VisualEffectView::setMaterial(VisualEffectMaterial material)
{
    material_ = material;
    setNeedsDisplay();
}

void VisualEffectView::draw(const gfx::Rect&)
{
    auto* context = gfx::Context::current();
    if (!context) return;
    double white = 0.91;
    switch (material_) {
    case VisualEffectMaterial::dark:
        white = 0.2;
        break;
    case VisualEffectMaterial::ultraDark:
        white = 0.1;
        break;
    case VisualEffectMaterial::mediumLight:
        white = 0.85;
        break;
    case VisualEffectMaterial::light:
    case VisualEffectMaterial::popover:
    case VisualEffectMaterial::menu:
        white = 0.95;
        break;
    default:
        break;
    }
    context->setFillColor(gfx::Color::gray(white));
    context->fillRect(bounds());
}

}  // namespace ui
