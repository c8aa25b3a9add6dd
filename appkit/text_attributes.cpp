#include "appkit/text_attributes.h"

namespace kestrane {

NSTextAttributes::NSTextAttributes(std::optional<std::string> fontName, double fontSize,
                                   std::optional<gfx::Color> foregroundColor,
                                   std::optional<gfx::TextAlignment> alignment)
    : fontName(std::move(fontName)), fontSize(fontSize), foregroundColor(foregroundColor), alignment(alignment)
{
}

std::optional<gfx::Font> NSTextAttributes::font() const
{
    if (fontName)
        if (auto named = gfx::Font::named(*fontName, fontSize)) return named;
    return gfx::Font::system(fontSize);
}

std::optional<gfx::ParagraphStyle> NSTextAttributes::paragraphStyle() const
{
    if (!alignment) return std::nullopt;
    return gfx::ParagraphStyle{*alignment};
}

gfx::TextAttributes NSTextAttributes::dictionary() const
{
    return gfx::TextAttributes{font(), foregroundColor, paragraphStyle()};
}

gfx::AttributedString NSTextAttributes::formateString(const std::string& string) const
{
    return gfx::AttributedString(string, dictionary());
}

}  // namespace kestrane
