// A stored value, as property lists and the user defaults hold it: null, boolean, integer, real, string, date,
// bytes, array or dictionary. Dictionaries keep their keys in insertion order. Booleans and numbers read as
// one another (true is 1, 3 is true); strings are never numbers.
#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/core/data.h"
#include "platform/core/date.h"

namespace core {

class Value;

using Array = std::vector<Value>;

// String keys to values, in the order they were first set.
class Dictionary {
public:
    using Entry = std::pair<std::string, Value>;

    Dictionary() = default;
    Dictionary(std::initializer_list<Entry> entries);

    // Defined once Value is complete.
    std::size_t size() const;
    bool empty() const;
    bool contains(const std::string& key) const { return find(key) != nullptr; }
    // The value under the key, or null when there is none.
    const Value* find(const std::string& key) const;
    // Replaces the value of an existing key in place, else appends the key.
    void set(const std::string& key, Value value);
    bool remove(const std::string& key);
    std::vector<std::string> keys() const;

    std::vector<Entry>::const_iterator begin() const;
    std::vector<Entry>::const_iterator end() const;

    // The same keys with equal values, in any order.
    friend bool operator==(const Dictionary&, const Dictionary&);

private:
    std::vector<Entry> entries_;
};

class Value {
public:
    enum class Kind { null, boolean, integer, real, string, date, data, array, dictionary };

    Value() = default;
    Value(std::nullptr_t) {}
    Value(bool value) : storage_(value) {}
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) Value(T value) : storage_(clamped(value)) {}
    Value(double value) : storage_(value) {}
    Value(float value) : storage_(double(value)) {}
    Value(const char* value) : storage_(std::string(value)) {}
    Value(std::string value) : storage_(std::move(value)) {}
    Value(Date value) : storage_(value) {}
    Value(Data value) : storage_(std::move(value)) {}
    Value(Array value) : storage_(std::move(value)) {}
    Value(Dictionary value) : storage_(std::move(value)) {}

    Kind kind() const { return static_cast<Kind>(storage_.index()); }
    bool isNull() const { return kind() == Kind::null; }
    // Booleans, integers and reals.
    bool isNumber() const;

    // Number conversions: a real truncates toward zero (saturating), a boolean is 0 or 1; nullopt for others.
    std::optional<std::int64_t> asInt() const;
    std::optional<double> asDouble() const;
    std::optional<bool> asBool() const;

    // The value when it is of exactly that kind, else nullopt (no conversion).
    std::optional<std::string> string() const;
    std::optional<Date> date() const;
    std::optional<Data> data() const;
    std::optional<Array> array() const;
    std::optional<Dictionary> dictionary() const;
    // The same without copying; null when of another kind.
    const Array* arrayPointer() const { return std::get_if<Array>(&storage_); }
    const Dictionary* dictionaryPointer() const { return std::get_if<Dictionary>(&storage_); }

    // A short text for logs and for "%@": numbers in their shortest exact form, strings as they are, dates as
    // "2001-01-01 00:00:00 +0000".
    std::string description() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    template <std::integral T>
    static std::int64_t clamped(T value)
    {
        if constexpr (std::is_unsigned_v<T> && sizeof(T) >= sizeof(std::int64_t)) {
            if (value > static_cast<T>(INT64_MAX)) return INT64_MAX;
        }
        return static_cast<std::int64_t>(value);
    }

    std::variant<std::monostate, bool, std::int64_t, double, std::string, Date, Data, Array, Dictionary> storage_;
};

inline std::size_t Dictionary::size() const { return entries_.size(); }
inline bool Dictionary::empty() const { return entries_.empty(); }
inline std::vector<Dictionary::Entry>::const_iterator Dictionary::begin() const { return entries_.begin(); }
inline std::vector<Dictionary::Entry>::const_iterator Dictionary::end() const { return entries_.end(); }

// The shortest text that reads back as exactly the same double, as numbers show in values and formats: no
// fraction when whole ("2", "2.5", "1e+300", "nan", "inf").
std::string numberText(double value);

}  // namespace core
