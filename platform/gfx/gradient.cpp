#include "platform/gfx/gradient.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gfx/context.h"

namespace gfx {

GradientRef Gradient::create(const std::vector<Color>& colors, const std::vector<double>& locations)
{
    if (colors.empty() || (!locations.empty() && locations.size() != colors.size())) return nullptr;
    std::vector<Stop> stops;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const double location = !locations.empty()   ? locations[i]
                                : colors.size() == 1 ? 0.0
                                                     : double(i) / double(colors.size() - 1);
        stops.push_back({location, colors[i]});
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.location < b.location; });
    return std::make_shared<const Gradient>(std::move(stops));
}

void Gradient::drawInRect(Context& context, const Rect& rect, double degrees) const
{
    const Rect r = rect.standardized();
    if (r.isEmpty()) return;
    // The axis runs through the centre; its length makes the end lines touch the rectangle's far corners.
    const double radians = degrees * std::numbers::pi / 180.0;
    const double dx = std::cos(radians), dy = std::sin(radians);
    const double half = (std::abs(dx) * r.width() + std::abs(dy) * r.height()) / 2;
    const Point start{r.midX() - dx * half, r.midY() - dy * half}, end{r.midX() + dx * half, r.midY() + dy * half};
    context.save();
    context.clipToRect(r);
    context.drawLinearGradient(*this, start, end, {.drawsBeforeStart = true, .drawsAfterEnd = true});
    context.restore();
}

}  // namespace gfx
