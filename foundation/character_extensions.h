// The value of a decimal digit character.
#pragma once

#include <optional>

namespace kestrane {

// 0 to 9 for the characters "0" to "9"; nullopt for anything else, a sign included.
constexpr std::optional<int> intValue(char32_t character)
{
    if (character < U'0' || character > U'9') return std::nullopt;
    return static_cast<int>(character - U'0');
}

}  // namespace kestrane
