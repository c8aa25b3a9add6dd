// The kinds of time-lapse output, by raw value (gif 0, m4v 1), and their file extensions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

namespace kestrane {

enum class TimeLapseFormat : std::int64_t { gif = 0, m4v = 1 };

std::int64_t rawValue(TimeLapseFormat format);
// Nullopt for any other raw value.
std::optional<TimeLapseFormat> fromRawValue(std::type_identity<TimeLapseFormat>, std::int64_t raw);
// "gif", "m4v".
std::string fileExtension(TimeLapseFormat format);

}  // namespace kestrane
