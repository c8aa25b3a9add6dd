#include "platform/ui/autoresizing.h"

namespace ui {

namespace {

// Shares `delta` among the flexible parts (low margin, size, high margin) of one axis.
void resizeAxis(double& origin, double& size, double parentSize, double delta, bool lowFlexible, bool sizeFlexible,
                bool highFlexible)
{
    const double parts[3] = {origin, size, parentSize - origin - size};
    const bool flexible[3] = {lowFlexible, sizeFlexible, highFlexible};
    double total = 0;
    int count = 0;
    for (int i = 0; i < 3; ++i)
        if (flexible[i]) {
            total += parts[i] > 0 ? parts[i] : 0;
            ++count;
        }
    if (count == 0) return;
    auto share = [&](int i) { return total > 0 ? delta * (parts[i] > 0 ? parts[i] : 0) / total : delta / count; };
    if (flexible[0]) origin += share(0);
    if (flexible[1]) size += share(1);
}

}  // namespace

gfx::Rect autoresizedFrame(const gfx::Rect& frame, const gfx::Size& oldParentSize, const gfx::Size& newParentSize,
                           unsigned mask)
{
    gfx::Rect result = frame;
    resizeAxis(result.origin.x, result.size.width, oldParentSize.width, newParentSize.width - oldParentSize.width,
               mask & 1, mask & 2, mask & 4);
    resizeAxis(result.origin.y, result.size.height, oldParentSize.height, newParentSize.height - oldParentSize.height,
               mask & 8, mask & 16, mask & 32);
    if (result.size.width < 0) result.size.width = 0;
    if (result.size.height < 0) result.size.height = 0;
    return result;
}

}  // namespace ui
