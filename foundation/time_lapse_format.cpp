#include "foundation/time_lapse_format.h"

namespace kestrane {

std::int64_t rawValue(TimeLapseFormat format)
{
    return static_cast<std::int64_t>(format);
}

std::optional<TimeLapseFormat> fromRawValue(std::type_identity<TimeLapseFormat>, std::int64_t raw)
{
    if (raw < 0 || raw > 1) return std::nullopt;
    return static_cast<TimeLapseFormat>(raw);
}

std::string fileExtension(TimeLapseFormat format)
{
    return format == TimeLapseFormat::gif ? "gif" : "m4v";
}

}  // namespace kestrane
