// Small building-block views: a linear gradient, a flat colour (replacing the pixels under it), views with a
// top-left origin, and a clip view that keeps a document smaller than itself centred. Main thread only.
#pragma once

#include <optional>

#include "platform/gfx/color.h"
#include "platform/ui/clip_view.h"
#include "platform/ui/view.h"

namespace kestrane {

class GradientView : public ui::View {
public:
    using View::View;
    std::optional<gfx::Color> startingColor() const { return startingColor_; }
    void setStartingColor(const std::optional<gfx::Color>& color);
    std::optional<gfx::Color> endingColor() const { return endingColor_; }
    void setEndingColor(const std::optional<gfx::Color>& color);
    // Degrees; 90 runs from the bottom up in an unflipped view.
    double angle() const { return angle_; }
    void setAngle(double degrees);
    // Draws the gradient over the bounds when both colours are set.
    void draw(const gfx::Rect& dirty) override;

private:
    std::optional<gfx::Color> startingColor_;
    std::optional<gfx::Color> endingColor_;
    double angle_ = 0;
};

class ColoredView : public ui::View {
public:
    using View::View;
    std::optional<gfx::Color> backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const std::optional<gfx::Color>& color);
    void draw(const gfx::Rect& dirty) override;

private:
    std::optional<gfx::Color> backgroundColor_;
};

class FlippedView : public ui::View {
public:
    using View::View;
    bool isFlipped() const override { return true; }
};

class FlippedClipView : public ui::ClipView {
public:
    using ClipView::ClipView;
    bool isFlipped() const override { return true; }
};

class CenteredClipView : public ui::ClipView {
public:
    using ClipView::ClipView;
    // The inherited constraint, then a document narrower (lower) than the proposal centred along that axis.
    gfx::Rect constrainBoundsRect(const gfx::Rect& proposed) const override;
};

}  // namespace kestrane
