#include "appkit/pattern_layer.h"

#include <cstdlib>
#include <iostream>

namespace kestrane {

namespace {

[[noreturn]] void mustOverride(const char* operation)
{
    std::cerr << "Quartz/Layer/PatternLayer: " << operation << " should be overriden by subclass" << std::endl;
    std::abort();
}

}  // namespace

void PatternLayer::awake()
{
    Layer::awake();
    patternLayerSetup();
}

void PatternLayer::patternLayerSetup() { updatePattern(); }

void PatternLayer::updatePattern()
{
    pattern_ = nullptr;
    setNeedsDisplay();
}

gfx::Size PatternLayer::patternSize() { mustOverride("patternSize()"); }

void PatternLayer::drawPattern(gfx::Context&) { mustOverride("drawPattern(in:)"); }

void PatternLayer::drawInContext(gfx::Context& context)
{
    if (!pattern_) {
        // The tile is drawn once, here, so the pattern holds no reference back to the layer.
        pattern_ = gfx::Pattern::create(patternSize(), gfx::AffineTransform(),
                                        [this](gfx::Context& cell) { drawPattern(cell); });
    }
    if (!pattern_) return;
    context.save();
    context.setFillPattern(pattern_, 1.0);
    context.fillRect(bounds());
    context.restore();
}

void CheckerboardLayer::setCellSize(const gfx::Size& size)
{
    cellSize_ = size;
    updatePattern();
}

void CheckerboardLayer::setColor1(const gfx::Color& color)
{
    color1_ = color;
    updatePattern();
}

void CheckerboardLayer::setColor2(const gfx::Color& color)
{
    color2_ = color;
    updatePattern();
}

void CheckerboardLayer::drawPattern(gfx::Context& context)
{
    const double w = cellSize_.width / 2;
    const double v = cellSize_.height / 2;
    context.setFillColor(color1_);
    context.fillRect({0, 0, w, v});
    context.fillRect({w, v, w, v});
    context.setFillColor(color2_);
    context.fillRect({w, 0, w, v});
    context.fillRect({0, v, w, v});
}

}  // namespace kestrane
