// Finds one root of a function by Muller's method (parabolic interpolation through the last three points),
// for a real function and for a complex one. Keeps its limits and the outcome of its last run.
#pragma once

#include <functional>

#include "numerics/complex.h"
#include "numerics/numeric_defaults.h"

namespace kestrane {

class Solver {
public:
    Solver() = default;
    Solver(int maxIter, int places) : maxIter_(maxIter), places_(places) {}

    // Whether the last run met the convergence test: the new point similar to the previous one and the
    // function similar to 0, at places decimals.
    bool success() const { return success_; }
    // The zero-based step that converged, or maxIter after a failure.
    int curIter() const { return curIter_; }
    int maxIter() const { return maxIter_; }
    int places() const { return places_; }

    // The root found, or the newest estimate when the run fails.
    double muller(double z0, double z1, double z2, const std::function<double(double)>& f);
    Complex muller(Complex z0, Complex z1, Complex z2, const std::function<Complex(Complex)>& f);

private:
    template <class Value, class Step, class Converged>
    Value run(Value x0, Value x1, Value x2, const std::function<Value(Value)>& f, Step step, Converged converged);

    bool success_ = true;
    int curIter_ = 0;
    int maxIter_ = SolverMaxIterations;
    int places_ = SimilarityPlaces;
};

}  // namespace kestrane
