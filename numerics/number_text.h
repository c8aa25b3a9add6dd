// The standard text of a double, independent of the locale: the shortest digits that read back exactly,
// whole numbers with ".0" ("1.0", "-0.0", "0.1"), the exponent form outside [1e-4, 2^53] ("1e-05",
// "1e+16"), and "inf", "-inf", "nan", "-nan".
#pragma once

#include "platform/core/double_description.h"

namespace kestrane {

using core::describe;

}  // namespace kestrane
