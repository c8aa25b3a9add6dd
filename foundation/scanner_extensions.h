// Scanning that answers with optionals instead of out-parameters, and composite scanners for angles
// ("1.5 rad", "90 deg"), percentages ("50%") and intervals ("[1, 2]"). A composite scanner skips whitespace
// and line breaks while it runs, then puts the scanner's skip set back; when any part is missing it also puts
// the location back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "numerics/angle.h"
#include "numerics/interval.h"
#include "platform/core/character_set.h"
#include "platform/core/scanner.h"

namespace kestrane {

std::optional<std::string> scanCharactersFromSet(core::Scanner& scanner, const core::CharacterSet& set);
std::optional<std::string> scanUpToCharactersFromSet(core::Scanner& scanner, const core::CharacterSet& set);
std::optional<std::string> scanString(core::Scanner& scanner, const std::string& text);
std::optional<std::string> scanUpToString(core::Scanner& scanner, const std::string& text);

std::optional<double> scanDouble(core::Scanner& scanner);
std::optional<double> scanCGFloat(core::Scanner& scanner);
std::optional<float> scanFloat(core::Scanner& scanner);
std::optional<std::int64_t> scanInteger(core::Scanner& scanner);
std::optional<std::int32_t> scanInt(core::Scanner& scanner);
std::optional<std::int64_t> scanLongLong(core::Scanner& scanner);
std::optional<std::uint64_t> scanUnsignedLongLong(core::Scanner& scanner);
std::optional<double> scanHexDouble(core::Scanner& scanner);
std::optional<float> scanHexFloat(core::Scanner& scanner);
std::optional<std::uint32_t> scanHexInt(core::Scanner& scanner);
std::optional<std::uint64_t> scanHexLongLong(core::Scanner& scanner);

// Scans a double into `value` and returns true; returns false and leaves `value` alone on failure.
bool scanCGFloat(core::Scanner& scanner, double& value);

// A double followed by "rad", reduced into [0, 2π).
std::optional<Angle> scanAngleInRad(core::Scanner& scanner);
// An integer (no fraction) followed by "deg", in radians reduced into [0, 2π).
std::optional<Angle> scanAngleInDeg(core::Scanner& scanner);
// An integer followed by "%", as the integer (50% gives 50).
std::optional<double> scanPercentage(core::Scanner& scanner);
// "[", a double, ",", a double, "]": min and max as written, not reordered.
std::optional<Interval> scanInterval(core::Scanner& scanner);

}  // namespace kestrane
