// A colour gradient: colours at locations from 0 to 1 along its axis. Immutable, shared (GradientRef), safe
// to read from any thread.
#pragma once

#include <memory>
#include <vector>

#include "platform/gfx/color.h"
#include "platform/gfx/rect.h"

namespace gfx {

class Context;
class Gradient;
using GradientRef = std::shared_ptr<const Gradient>;

class Gradient {
public:
    struct Stop {
        double location;
        Color color;
    };

    // Without locations the colours spread evenly from 0 to 1. Null when there is no colour or the number
    // of locations differs from the number of colours.
    static GradientRef create(const std::vector<Color>& colors, const std::vector<double>& locations = {});

    // Stops in order of location.
    const std::vector<Stop>& stops() const { return stops_; }

    // Fills the rectangle along an axis at the angle in degrees (0 from left to right, 90 from bottom to
    // top), the first colour at the start; the context's state is left as it was.
    void drawInRect(Context& context, const Rect& rect, double degrees) const;

    explicit Gradient(std::vector<Stop> stops) : stops_(std::move(stops)) {}

private:
    std::vector<Stop> stops_;
};

}  // namespace gfx
