// A layer that fills its whole bounds with a tiled pattern whose one cell is drawn by drawPattern, and the
// two-colour checkerboard made with it. The pattern is built at the first draw and kept until updatePattern()
// drops it. Main thread only.
#pragma once

#include "platform/gfx/color.h"
#include "platform/gfx/context.h"
#include "platform/gfx/pattern.h"
#include "platform/ui/layer.h"

namespace kestrane {

class PatternLayer : public ui::Layer {
public:
    void awake() override;

    // Drops the cached pattern and asks for a redraw; call it when anything that shapes the cell changes.
    virtual void updatePattern();
    // The size of one cell. Subclasses must override it: here it stops the program.
    virtual gfx::Size patternSize();
    // Draws one cell, origin at its lower-left corner. Subclasses must override it: here it stops the program.
    virtual void drawPattern(gfx::Context& context);
    // Fills the whole bounds with the pattern; nothing when the cell is empty.
    void drawInContext(gfx::Context& context) override;

private:
    void patternLayerSetup();

    gfx::PatternRef pattern_;
};

class CheckerboardLayer : public PatternLayer {
public:
    // The repeating cell, holding 2 × 2 squares of half its size.
    gfx::Size cellSize() const { return cellSize_; }
    void setCellSize(const gfx::Size& size);
    // The lower-left and upper-right squares.
    gfx::Color color1() const { return color1_; }
    void setColor1(const gfx::Color& color);
    // The lower-right and upper-left squares.
    gfx::Color color2() const { return color2_; }
    void setColor2(const gfx::Color& color);

    gfx::Size patternSize() override { return cellSize_; }
    void drawPattern(gfx::Context& context) override;

private:
    gfx::Size cellSize_{10, 10};
    gfx::Color color1_ = gfx::Color::gray(0.7);
    gfx::Color color2_ = gfx::Color::gray(1.0);
};

}  // namespace kestrane
