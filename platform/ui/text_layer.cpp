#include "platform/ui/text_layer.h"

#include "platform/gfx/context.h"
#include "platform/gfx/detail/qt_context.h"

namespace ui {

namespace {

gfx::TextAlignment alignmentOf(const std::string& mode)
{
    if (mode == AlignmentMode::left) return gfx::TextAlignment::left;
    if (mode == AlignmentMode::right) return gfx::TextAlignment::right;
    if (mode == AlignmentMode::center) return gfx::TextAlignment::center;
    if (mode == AlignmentMode::justified) return gfx::TextAlignment::justified;
    return gfx::TextAlignment::natural;
}

}  // namespace

void TextLayer::setString(const gfx::AttributedString& string)
{
    string_ = string;
    setNeedsDisplay();
}

void TextLayer::setString(const std::string& text)
{
    gfx::TextAttributes attributes;
    attributes.font = gfx::Font::system(fontSize_);
    attributes.foregroundColor = foregroundColor_;
    setString(gfx::AttributedString(text, attributes));
}

void TextLayer::setAlignmentMode(const std::string& mode)
{
    alignmentMode_ = mode;
    setNeedsDisplay();
}

void TextLayer::drawInContext(gfx::Context& context)
{
    Layer::drawInContext(context);
    if (string_.text().empty()) return;
    gfx::AttributedString shown = string_;
    if (!shown.attributes().paragraphStyle) {
        gfx::TextAttributes attributes = shown.attributes();
        attributes.paragraphStyle = gfx::ParagraphStyle{alignmentOf(alignmentMode_)};
        shown = gfx::AttributedString(shown.text(), attributes);
    }
    const gfx::Rect r = bounds();
    context.save();
    // In a y-down space (a flipped view) the text is turned upright again.
    if (gfx::userToDevice(context).determinant() > 0) {
        context.translateBy(0, r.minY() + r.maxY());
        context.scaleBy(1, -1);
    }
    shown.drawInRect(context, r);
    context.restore();
}

}  // namespace ui
