// A swatch of a colour; pressing it opens the colour chooser, and a chosen colour becomes its value and sends
// the action. Main thread only.
#pragma once

#include "platform/gfx/color.h"
#include "platform/ui/control.h"

namespace ui {

class ColorWell : public Control {
public:
    using Control::Control;
    void awake() override;

    gfx::Color color() const { return color_; }
    void setColor(const gfx::Color& color);
    // Takes a colour as the chooser does: stores it and sends the action.
    void chooseColor(const gfx::Color& color);

private:
    void showSwatch();
    gfx::Color color_ = gfx::Color::white();
};

}  // namespace ui
