// Typed members of keyed archiving: value types archived through a coding-state object, enumerations archived
// by raw value, strings, objects of a requested class and CGFloat values. What each encoder writes is read back
// only by its matching decoder; a missing, mistyped or invalid value decodes as a missing one (nullopt, null,
// or for integers and reals 0) and nothing is reported.
#pragma once

#include <concepts>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "platform/core/coding.h"
#include "platform/core/data.h"
#include "platform/core/keyed_archiver.h"
#include "platform/core/keyed_unarchiver.h"

namespace kestrane {

// A value type archived as its coding state, a small Coding class holding its fields:
//   struct Edition { using CodingState = EditionCodingState;
//                    explicit Edition(const EditionCodingState&);
//                    std::shared_ptr<EditionCodingState> codingState() const; };
template <class T>
concept CodableStruct = std::derived_from<typename T::CodingState, core::Coding> &&
    std::constructible_from<T, const typename T::CodingState&> && requires(const T value)
{
    {
        value.codingState()
        } -> std::convertible_to<std::shared_ptr<const typename T::CodingState>>;
};

// An enumeration archived by its integer raw value. Its namespace provides, found by argument-dependent lookup:
//   std::int64_t rawValue(Orientation);
//   std::optional<Orientation> fromRawValue(std::type_identity<Orientation>, std::int64_t);  // nullopt: no case
template <class T>
concept IntEnum = requires(const T value, std::int64_t raw)
{
    {
        rawValue(value)
        } -> std::convertible_to<std::int64_t>;
    {
        fromRawValue(std::type_identity<T>{}, raw)
        } -> std::same_as<std::optional<T>>;
};

// An enumeration archived by its string raw value, with `std::string rawValue(T)` and
// `std::optional<T> fromRawValue(std::type_identity<T>, const std::string&)` as for IntEnum.
template <class T>
concept StringEnum = requires(const T value, const std::string& raw)
{
    {
        rawValue(value)
        } -> std::convertible_to<std::string>;
    {
        fromRawValue(std::type_identity<T>{}, raw)
        } -> std::same_as<std::optional<T>>;
};

// The archive of `object` as its root.
core::Data keyedArchive(const std::shared_ptr<const core::Coding>& object);

// The root object of `data` when it is a T; null for another class or data that is no archive.
template <class T>
std::shared_ptr<T> keyedUnarchive(const core::Data& data)
{
    return core::KeyedUnarchiver::unarchiveObject<T>(data);
}

void encodeString(core::KeyedArchiver& coder, const std::string& string, const std::string& key);
std::optional<std::string> decodeStringForKey(core::KeyedUnarchiver& coder, const std::string& key);

void encodeCodingObject(core::KeyedArchiver& coder, const std::shared_ptr<const core::Coding>& object,
                        const std::string& key);
template <class T>
std::shared_ptr<T> decodeCodingObjectForKey(core::KeyedUnarchiver& coder, const std::string& key)
{
    return coder.decodeObject<T>(key);
}

template <CodableStruct T>
void encodeCodableStruct(core::KeyedArchiver& coder, const T& value, const std::string& key)
{
    coder.encodeObject(key, value.codingState());
}

template <CodableStruct T>
std::optional<T> decodeCodableStructForKey(core::KeyedUnarchiver& coder, const std::string& key)
{
    const auto state = coder.decodeObject<typename T::CodingState>(key);
    if (!state) return std::nullopt;
    return T(*state);
}

template <IntEnum T>
void encodeIntEnum(core::KeyedArchiver& coder, const T& value, const std::string& key)
{
    coder.encodeInt64(key, rawValue(value));
}

// A missing key reads as raw value 0, so as the case with raw value 0 when there is one.
template <IntEnum T>
std::optional<T> decodeIntEnumForKey(core::KeyedUnarchiver& coder, const std::string& key)
{
    return fromRawValue(std::type_identity<T>{}, coder.decodeInt64(key));
}

template <StringEnum T>
void encodeStringEnum(core::KeyedArchiver& coder, const T& value, const std::string& key)
{
    coder.encodeString(key, rawValue(value));
}

// The string-enumeration form of decodeStringForKey, chosen by naming the result type.
template <StringEnum T>
std::optional<T> decodeStringForKey(core::KeyedUnarchiver& coder, const std::string& key)
{
    const auto raw = coder.decodeString(key);
    if (!raw) return std::nullopt;
    return fromRawValue(std::type_identity<T>{}, *raw);
}

void encodeCGFloat(core::KeyedArchiver& coder, double value, const std::string& key);
double decodeCGFloatForKey(core::KeyedUnarchiver& coder, const std::string& key);

}  // namespace kestrane
