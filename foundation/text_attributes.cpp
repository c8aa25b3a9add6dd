#include "foundation/text_attributes.h"

namespace kestrane {

CTTextAttributes::CTTextAttributes(std::optional<std::string> fontName, double fontSize,
                                   std::optional<gfx::Color> foregroundColor,
                                   std::optional<gfx::TextAlignment> alignment)
    : fontName(std::move(fontName)), fontSize(fontSize), foregroundColor(foregroundColor), alignment(alignment)
{
}

std::optional<gfx::Font> CTTextAttributes::font() const
{
    return gfx::Font::withName(fontName.value_or("Arial"), fontSize);
}

std::optional<gfx::ParagraphStyle> CTTextAttributes::paragraphStyle() const
{
    if (!alignment) return std::nullopt;
    return gfx::ParagraphStyle{*alignment};
}

gfx::TextAttributes CTTextAttributes::dictionary() const { return {font(), foregroundColor, paragraphStyle()}; }

}  // namespace kestrane
