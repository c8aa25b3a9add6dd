#include "appkit/text_attributes.h"

namespace kestrane {

std::optional<gfx::Font> NSTextAttributes::font() const
{
    if (fontName)
        if (auto named = gfx::Font::named(*fontName, fontSize)) return named;
    return gfx::Font::system(fontSize);
}

gfx::AttributedString NSTextAttributes::formateString(const std::string& string) const
{
    return gfx::AttributedString(string, dictionary());
}

}  // namespace kestrane
