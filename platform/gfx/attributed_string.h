// Text with one set of attributes (font, colour, paragraph alignment), measured and drawn into a rectangle
// of a drawing context: laid out from the rectangle's top, wrapped at its width, upright in y-up space.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/gfx/color.h"
#include "platform/gfx/font.h"
#include "platform/gfx/rect.h"

namespace gfx {

class Context;

// Stored codes, shared with the interface layer.
enum class TextAlignment { left = 0, right = 1, center = 2, justified = 3, natural = 4 };

struct ParagraphStyle {
    TextAlignment alignment = TextAlignment::natural;
    friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

// What is absent takes the defaults: the system font at 12 points, black, natural alignment.
struct TextAttributes {
    std::optional<Font> font;
    std::optional<Color> foregroundColor;
    std::optional<ParagraphStyle> paragraphStyle;
    friend bool operator==(const TextAttributes&, const TextAttributes&) = default;
};

// A range of UTF-16 code units.
struct TextRange {
    std::size_t location = 0;
    std::size_t length = 0;
};

class AttributedString {
public:
    AttributedString() = default;
    AttributedString(std::string text, TextAttributes attributes = {})
        : text_(std::move(text)), attributes_(std::move(attributes))
    {
    }

    // UTF-8.
    const std::string& text() const { return text_; }
    const TextAttributes& attributes() const { return attributes_; }
    // In UTF-16 code units.
    std::size_t length() const;
    // Replaces the code units of the range (clamped to the text) with the replacement.
    void replaceCharacters(TextRange range, const std::string& replacement);
    // The size the text takes on one line per paragraph, without wrapping.
    Size size() const;
    void drawInRect(Context& context, const Rect& rect) const;

    friend bool operator==(const AttributedString&, const AttributedString&) = default;

private:
    std::string text_;
    TextAttributes attributes_;
};

void drawText(Context& context, const AttributedString& string, const Rect& rect);

}  // namespace gfx
