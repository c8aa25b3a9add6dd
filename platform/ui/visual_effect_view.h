// A backdrop view: a material and a state kept as given, painted as a flat fill of the material's colour
// (there is no blur behind windows here). Main thread only.
#pragma once

#include "platform/ui/view.h"

namespace ui {

enum class VisualEffectMaterial {
    appearanceBased = 0,
    light = 1,
    dark = 2,
    titlebar = 3,
    selection = 4,
    menu = 5,
    popover = 6,
    sidebar = 7,
    mediumLight = 8,
    ultraDark = 9,
};
enum class VisualEffectState { followsWindowActiveState = 0, active = 1, inactive = 2 };
enum class VisualEffectBlendingMode { behindWindow = 0, withinWindow = 1 };

class VisualEffectView : public View {
public:
    using View::View;

    VisualEffectMaterial material() const { return material_; }
    void setMaterial(VisualEffectMaterial material);
    VisualEffectState state() const { return state_; }
    void setState(VisualEffectState state) { state_ = state; }
    VisualEffectBlendingMode blendingMode() const { return blending_; }
    void setBlendingMode(VisualEffectBlendingMode mode) { blending_ = mode; }

    void draw(const gfx::Rect& dirty) override;

private:
    VisualEffectMaterial material_ = VisualEffectMaterial::appearanceBased;
    VisualEffectState state_ = VisualEffectState::followsWindowActiveState;
    VisualEffectBlendingMode blending_ = VisualEffectBlendingMode::behindWindow;
};

}  // namespace ui
