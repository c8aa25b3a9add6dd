// A font name, size, colour and alignment turned into the attributes of an attributed string: the text
// attributes of drawing, but with the system font where the name is absent or not installed. A plain value
// holder; main thread only.
#pragma once

#include <string>

#include "foundation/text_attributes.h"
#include "platform/gfx/attributed_string.h"

namespace kestrane {

class NSTextAttributes : public CTTextAttributes {
public:
    // Nullopt font name: the system font; nullopt colour: no colour attribute; nullopt alignment: no
    // paragraph style.
    using CTTextAttributes::CTTextAttributes;

    // The named font when it is installed, else the system font, at fontSize.
    std::optional<gfx::Font> font() const override;
    gfx::AttributedString formateString(const std::string& string) const;
};

}  // namespace kestrane
