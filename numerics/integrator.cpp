#include "numerics/integrator.h"

namespace kestrane {

double Integrator::simpson(const std::function<double(double)>& f) const
{
    double h = (max - min) / steps;
    double sum = f(min);
    sum += f(max);
    for (int i = 1; i < steps; i += 2)
        sum += 4 * f(min + i * h);
    for (int j = 2; j < steps - 1; j += 2)
        sum += 2 * f(min + j * h);
    return h * sum / 3;
}

double Integrator::trapezoid(const std::function<double(double)>& f) const
{
    double h = (max - min) / steps;
    double sum = 0;
    for (int i = 0; i < steps; ++i) {
        double low = f(min + i * h);
        sum += (low + f(min + (i + 1) * h)) * h * 0.5;
    }
    return sum;
}

}  // namespace kestrane
