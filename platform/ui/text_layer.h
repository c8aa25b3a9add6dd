// A layer that draws one text in its bounds, from the top, with an alignment mode used when the text's
// attributes name no alignment of their own. Main thread only.
#pragma once

#include <string>

#include "platform/gfx/attributed_string.h"
#include "platform/ui/layer.h"

namespace ui {

namespace AlignmentMode {
inline const std::string natural = "natural";
inline const std::string left = "left";
inline const std::string right = "right";
inline const std::string center = "center";
inline const std::string justified = "justified";
}  // namespace AlignmentMode

class TextLayer : public Layer {
public:
    const gfx::AttributedString& string() const { return string_; }
    void setString(const gfx::AttributedString& string);
    // A plain text in the layer's font size and colour.
    void setString(const std::string& text);
    std::string alignmentMode() const { return alignmentMode_; }
    void setAlignmentMode(const std::string& mode);
    double fontSize() const { return fontSize_; }
    void setFontSize(double size) { fontSize_ = size; }
    gfx::Color foregroundColor() const { return foregroundColor_; }
    void setForegroundColor(const gfx::Color& color) { foregroundColor_ = color; }

    void drawInContext(gfx::Context& context) override;

private:
    gfx::AttributedString string_;
    std::string alignmentMode_ = AlignmentMode::natural;
    double fontSize_ = 36;
    gfx::Color foregroundColor_ = gfx::Color::white();
};

}  // namespace ui
