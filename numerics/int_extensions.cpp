#include "numerics/int_extensions.h"

#include <cmath>
#include <cstdlib>

namespace kestrane {

std::int64_t sign(std::int64_t v) { return v < 0 ? -1 : 1; }

std::int64_t abs(std::int64_t v) { return v < 0 ? -v : v; }

std::int64_t pow(std::int64_t v, std::int64_t exponent)
{
    return static_cast<std::int64_t>(std::pow(static_cast<double>(v), static_cast<double>(exponent)));
}

std::int64_t factorial(std::int64_t v)
{
    std::int64_t result = 1;
    for (std::int64_t k = 2; k <= v; ++k)
        result *= k;
    return result;
}

std::int64_t clamp(std::int64_t v, std::int64_t min, std::int64_t max)
{
    std::int64_t upper = v > max ? max : v;
    return upper < min ? min : upper;
}

namespace Int {

std::int64_t max(std::int64_t a, std::int64_t b) { return a > b ? a : b; }

std::int64_t min(std::int64_t a, std::int64_t b) { return a < b ? a : b; }

std::int64_t random() { return arc4random_uniform(2147483647); }

}  // namespace Int
}  // namespace kestrane
