// The capsule buttons of the drop window: a blue pill, darker while pressed, with the title in white upper
// case. Main thread only.
#pragma once

#include "platform/ui/button.h"

namespace vistrel {

class DropButtonCell : public ui::Button {
public:
    using Button::Button;

    // The normal and the pressed fill.
    static const gfx::Color& normalColor();
    static const gfx::Color& highlightedColor();

    void drawBezel(const gfx::Rect& frame) override;
    gfx::Rect drawTitle(const gfx::AttributedString& title, const gfx::Rect& frame) override;
};

}  // namespace vistrel
