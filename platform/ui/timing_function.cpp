#include "platform/ui/timing_function.h"

#include <algorithm>
#include <cmath>

namespace ui {

TimingFunction TimingFunction::named(const std::string& name)
{
    if (name == TimingFunctionName::linear) return {{0, 0}, {1, 1}};
    if (name == TimingFunctionName::easeIn) return {{0.42, 0}, {1, 1}};
    if (name == TimingFunctionName::easeOut) return {{0, 0}, {0.58, 1}};
    if (name == TimingFunctionName::easeInEaseOut) return {{0.42, 0}, {0.58, 1}};
    return {{0.25, 0.1}, {0.25, 1}};
}

namespace {

// One coordinate of the cubic Bezier from 0 to 1 with inner control values p1 and p2.
double bezier(double s, double p1, double p2)
{
    const double u = 1 - s;
    return 3 * u * u * s * p1 + 3 * u * s * s * p2 + s * s * s;
}

}  // namespace

double TimingFunction::valueAt(double t) const
{
    t = std::clamp(t, 0.0, 1.0);
    if (std::isnan(t)) t = 0;
    // x(s) rises monotonically for control x in 0...1: bisect for the s with x(s) = t.
    double low = 0, high = 1, s = t;
    for (int i = 0; i < 60; ++i) {
        s = (low + high) / 2;
        if (bezier(s, c1_.x, c2_.x) < t)
            low = s;
        else
            high = s;
    }
    return bezier(s, c1_.y, c2_.y);
}

}  // namespace ui
