// Integrates a function of one real over [min, max] by the composite Simpson or trapezoid rule with a fixed
// number of steps. Simpson wants an even, positive step count; zero steps give 0 by the trapezoid rule.
#pragma once

#include <functional>

namespace kestrane {

struct Integrator {
    double min = 0;
    double max = 1;
    int steps = 32;

    Integrator() = default;
    Integrator(double min, double max) : min(min), max(max) {}

    double quadrature(const std::function<double(double)>& f) const { return simpson(f); }
    double simpson(const std::function<double(double)>& f) const;
    double trapezoid(const std::function<double(double)>& f) const;
};

}  // namespace kestrane
