// Integer raw values of the numerics' enumerations: the raw value is the case index, and only the indices
// of existing cases give a case back.
#pragma once

#include <cstdint>
#include <optional>
#include <type_traits>

namespace kestrane {

// The number of cases of an enumeration whose raw values are 0 … count − 1.
template <class E>
inline constexpr int caseCount = 0;

template <class E>
requires std::is_enum_v<E>
constexpr int rawValue(E value) { return static_cast<int>(value); }

template <class E>
requires(caseCount<E> > 0) constexpr std::optional<E> fromRawValue(std::type_identity<E>, std::int64_t raw)
{
    if (raw < 0 || raw >= caseCount<E>) return std::nullopt;
    return static_cast<E>(raw);
}

// fromRawValue<Orientation>(3)
template <class E>
requires(caseCount<E> > 0) constexpr std::optional<E> fromRawValue(std::int64_t raw)
{
    return fromRawValue(std::type_identity<E>{}, raw);
}

}  // namespace kestrane
