// The kinds of time-lapse output, by raw value (gif 0, m4v 1), and their file extensions.
#pragma once

#include <cstdint>
#include <string>

#include "numerics/raw_value.h"

namespace kestrane {

enum class TimeLapseFormat : std::int64_t { gif = 0, m4v = 1 };

// Raw values are the case indices; any other raw value gives no case.
template <>
inline constexpr int caseCount<TimeLapseFormat> = 2;
// "gif", "m4v".
std::string fileExtension(TimeLapseFormat format);

}  // namespace kestrane
