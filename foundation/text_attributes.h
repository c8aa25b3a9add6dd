// The attributes of text drawing bundled: font name (Arial when absent), size in points, colour and
// alignment, turned into the platform's text attributes on every read. Runs on the caller's thread.
#pragma once

#include <optional>
#include <string>

#include "platform/gfx/attributed_string.h"

namespace kestrane {

class CTTextAttributes {
public:
    CTTextAttributes(std::optional<std::string> fontName, double fontSize, std::optional<gfx::Color> foregroundColor,
                     std::optional<gfx::TextAlignment> alignment);
    virtual ~CTTextAttributes() = default;

    std::optional<std::string> fontName;
    double fontSize;
    std::optional<gfx::Color> foregroundColor;
    std::optional<gfx::TextAlignment> alignment;

    // The named font (or Arial) at the size, substituted when not installed.
    virtual std::optional<gfx::Font> font() const;
    // Absent without an alignment.
    std::optional<gfx::ParagraphStyle> paragraphStyle() const;
    // Only what is present: the font, the colour when set, the paragraph style when there is one.
    gfx::TextAttributes dictionary() const;
};

}  // namespace kestrane
