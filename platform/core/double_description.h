// The text of a double as the program shows it in logs and fields: the shortest text that reads back as
// the same value, always with a fraction or an exponent ("1.0", "0.1", "1e-05", "1e+16", "nan", "-nan", "-inf").
#pragma once

#include <string>

namespace core {

std::string describe(double value);

}  // namespace core
