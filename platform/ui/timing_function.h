// The pace of an animation: a cubic Bezier curve from (0, 0) to (1, 1) through two control points, mapping
// the elapsed fraction of the duration to the fraction of the change. A value type.
#pragma once

#include <string>

#include "platform/gfx/point.h"

namespace ui {

namespace TimingFunctionName {
inline const std::string linear = "linear";
inline const std::string easeIn = "easeIn";
inline const std::string easeOut = "easeOut";
inline const std::string easeInEaseOut = "easeInEaseOut";
inline const std::string defaultTiming = "default";
}  // namespace TimingFunctionName

class TimingFunction {
public:
    TimingFunction(gfx::Point control1, gfx::Point control2) : c1_(control1), c2_(control2) {}
    // One of the names above; an unknown name gives the default curve.
    static TimingFunction named(const std::string& name);

    // The fraction of the change at elapsed fraction `t` (clamped to 0...1).
    double valueAt(double t) const;

    gfx::Point control1() const { return c1_; }
    gfx::Point control2() const { return c2_; }
    friend bool operator==(const TimingFunction&, const TimingFunction&) = default;

private:
    gfx::Point c1_;
    gfx::Point c2_;
};

}  // namespace ui
