// A font name, size, colour and alignment turned into the attributes of an attributed string. A plain value
// holder; main thread only.
#pragma once

#include <optional>
#include <string>

#include "platform/gfx/attributed_string.h"
#include "platform/gfx/color.h"
#include "platform/gfx/font.h"

namespace kestrane {

class NSTextAttributes {
public:
    NSTextAttributes(std::optional<std::string> fontName, double fontSize, std::optional<gfx::Color> foregroundColor,
                     std::optional<gfx::TextAlignment> alignment);

    // Nullopt: the system font.
    std::optional<std::string> fontName;
    double fontSize;
    // Nullopt: no colour attribute.
    std::optional<gfx::Color> foregroundColor;
    // Nullopt: no paragraph style.
    std::optional<gfx::TextAlignment> alignment;

    // The named font when it is installed, else the system font, at fontSize.
    std::optional<gfx::Font> font() const;
    std::optional<gfx::ParagraphStyle> paragraphStyle() const;
    gfx::TextAttributes dictionary() const;
    gfx::AttributedString formateString(const std::string& string) const;
};

}  // namespace kestrane
