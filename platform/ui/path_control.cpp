#include "platform/ui/path_control.h"

#include "platform/gfx/attributed_string.h"
#include "platform/gfx/context.h"
#include "platform/ui/system_style.h"

namespace ui {

void PathControl::setPathComponentCells(const std::vector<std::shared_ptr<PathComponent>>& components)
{
    for (auto& old : components_)
        old->first_ = old->last_ = false;
    components_ = components;
    for (std::size_t i = 0; i < components_.size(); ++i) {
        components_[i]->first_ = i == 0;
        components_[i]->last_ = i + 1 == components_.size();
    }
    setNeedsDisplay();
}

void PathControl::setPathStyle(PathStyle style)
{
    style_ = style;
    setNeedsDisplay();
}

void PathControl::draw(const gfx::Rect&)
{
    auto* context = gfx::Context::current();
    if (!context) return;
    const gfx::Rect b = bounds();
    drawBackground(b);
    gfx::TextAttributes attributes;
    attributes.font = gfx::Font::system(systemFontSize(controlSize()));
    double x = b.minX() + 4;
    for (std::size_t i = 0; i < components_.size(); ++i) {
        const std::string text = (i == 0 ? "" : "\u203A ") + components_[i]->title();
        const gfx::AttributedString title(text, attributes);
        const gfx::Size size = title.size();
        const double y = b.midY() - size.height / 2;
        context->save();
        if (isFlipped()) {
            context->translateBy(0, 2 * y + size.height);
            context->scaleBy(1, -1);
        }
        title.drawInRect(*context, {x, y, size.width + 1, size.height});
        context->restore();
        x += size.width + 6;
    }
}

}  // namespace ui
