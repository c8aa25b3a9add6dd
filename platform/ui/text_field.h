// A line of text: an editable field (a bezel, a background) or a plain label; editing ends with Return or
// when the field loses focus, and then sends the action (a continuous field also takes each keystroke's text
// as it is typed, when it is valid). With a number formatter the text must spell a number within its limits,
// else the previous value comes back. Main thread only.
#pragma once

#include <optional>

#include "platform/gfx/attributed_string.h"
#include "platform/gfx/color.h"
#include "platform/gfx/font.h"
#include "platform/ui/control.h"

namespace ui {

class TextField : public Control {
public:
    explicit TextField(const gfx::Rect& frame = {});
    void awake() override;
    // A label: not bezeled, no background, neither editable nor selectable.
    static std::shared_ptr<TextField> labelWithFrame(const gfx::Rect& frame);

    bool isEditable() const { return editable_; }
    void setEditable(bool editable);
    bool isSelectable() const { return selectable_; }
    void setSelectable(bool selectable);
    bool isBezeled() const { return bezeled_; }
    void setBezeled(bool bezeled);
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws);
    std::optional<gfx::Color> textColor() const { return textColor_; }
    void setTextColor(const std::optional<gfx::Color>& color);
    std::string placeholderString() const { return placeholder_; }
    void setPlaceholderString(const std::string& text);
    // The system's font for controls until one is set.
    std::optional<gfx::Font> font() const { return font_; }
    void setFont(const gfx::Font& font);
    // Where the text sits across the field; natural (the writing direction's start) until set.
    gfx::TextAlignment alignment() const { return alignment_; }
    void setAlignment(gfx::TextAlignment alignment);

    bool acceptsFirstResponder() const override { return editable_ || selectable_; }
    gfx::Size intrinsicContentSize() const override;

    // Takes the text being edited as the value, as Return does.
    void commitEditing();

protected:
    void valueDidChange() override;

private:
    void rebuild();
    void applyLook();
    // A continuous field's text as typed so far: taken when valid, and left on screen as typed.
    void takeTypedText(const std::string& text);

    bool editable_ = true;
    bool selectable_ = true;
    bool bezeled_ = true;
    bool drawsBackground_ = true;
    std::optional<gfx::Color> textColor_;
    std::string placeholder_;
    std::optional<gfx::Font> font_;
    gfx::TextAlignment alignment_ = gfx::TextAlignment::natural;
    bool takingTypedText_ = false;
};

}  // namespace ui
