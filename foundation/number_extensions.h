// Stored numbers made from and read as CGFloat values (doubles).
#pragma once

#include <optional>

#include "platform/core/value.h"

namespace kestrane {

// A number holding the value as a double.
inline core::Value initWithCgfloat(double cgfloat) { return core::Value(cgfloat); }

// The number as a double; nullopt when the value is not a number (nor a boolean).
inline std::optional<double> cgfloatValue(const core::Value& number) { return number.asDouble(); }

}  // namespace kestrane
