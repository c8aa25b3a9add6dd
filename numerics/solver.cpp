#include "numerics/solver.h"

#include <cmath>

#include "numerics/real_number.h"

namespace kestrane {

template <class Value, class Step, class Converged>
Value Solver::run(Value x0, Value x1, Value x2, const std::function<Value(Value)>& f, Step step, Converged converged)
{
    Value f0 = f(x0);
    Value f1 = f(x1);
    Value f2 = f(x2);
    for (int k = 0;; ++k) {
        curIter_ = k;
        if (k >= maxIter_) break;
        Value x3 = step(x0, x1, x2, f0, f1, f2);
        Value f3 = f(x3);
        if (converged(x3, x2, f3)) {
            success_ = true;
            return x3;
        }
        x0 = x1;
        x1 = x2;
        x2 = x3;
        f0 = f1;
        f1 = f2;
        f2 = f3;
    }
    success_ = false;
    return x2;
}

double Solver::muller(double z0, double z1, double z2, const std::function<double(double)>& f)
{
    auto step = [](double x0, double x1, double x2, double f0, double f1, double f2) {
        double delta1 = (f1 - f0) / (x1 - x0);
        double delta2 = (f2 - f1) / (x2 - x1);
        double m = (delta2 - delta1) / (x2 - x0);
        double w = (x2 - x1) * m + delta2;
        double r = std::sqrt(w * w + (m * -4) * f2);
        double plus = w + r;
        double minus = w - r;
        double d = std::fabs(plus) > std::fabs(minus) ? plus : minus;
        return x2 + (f2 / d) * -2;
    };
    int places = places_;
    auto converged = [places](double x3, double x2, double f3) {
        return isSimilarTo(x3, x2, places) && isSimilarTo(f3, 0.0, places);
    };
    return run<double>(z0, z1, z2, f, step, converged);
}

Complex Solver::muller(Complex z0, Complex z1, Complex z2, const std::function<Complex(Complex)>& f)
{
    auto step = [](Complex x0, Complex x1, Complex x2, Complex f0, Complex f1, Complex f2) {
        Complex d1 = (f1 - f0) / (x1 - x0);
        Complex d2 = (f2 - f1) / (x2 - x1);
        Complex m = (d2 - d1) / (x2 - x0);
        Complex w = d2 + (x2 - x1) * m;
        Complex s = (w * w - 4.0 * f2 * m).sqrt();
        Complex plus = w + s;
        Complex minus = w - s;
        Complex d = plus.abs() > minus.abs() ? plus : minus;
        return x2 - 2.0 * (f2 / d);
    };
    int places = places_;
    auto converged = [places](Complex x3, Complex x2, Complex f3) {
        return x3.isSimilarTo(x2, places) && f3.isSimilarTo(Complex(), places);
    };
    return run<Complex>(z0, z1, z2, f, step, converged);
}

}  // namespace kestrane
