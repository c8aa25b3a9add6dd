// Typed access to the user defaults: the keyed setter, which stores a value by its type, and the proxy that
// `Defaults["key"]` gives, whose getters read the store anew each time. A value of the wrong kind reads as
// absent, never as an error. Runs on the caller's thread; the store is safe from any thread.
#pragma once

#include <concepts>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/core/user_defaults.h"
#include "platform/core/value.h"

namespace kestrane {

namespace detail {
template <class T>
struct IsOptional : std::false_type {
};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {
};
}  // namespace detail

// The stored value; nullopt when the key has none.
std::optional<core::Value> objectForKeyedSubscript(const core::UserDefaults& defaults, const std::string& key);

// Stores the value by its type: nothing (nullptr, nullopt, an empty optional) removes the key; a signed
// integer is stored as an integer, an unsigned one as a signed 64-bit integer (saturating); a real as a
// double; a boolean as a boolean; a property-list value (string, date, data, array, dictionary) as it is.
template <class T>
void setObjectForKeyedSubscript(core::UserDefaults& defaults, const std::string& key, const T& value)
{
    if constexpr (std::is_same_v<T, std::nullptr_t> || std::is_same_v<T, std::nullopt_t>) {
        defaults.remove(key);
    } else if constexpr (detail::IsOptional<T>::value) {
        if (value)
            setObjectForKeyedSubscript(defaults, key, *value);
        else
            defaults.remove(key);
    } else if constexpr (std::is_same_v<T, bool>) {
        static_cast<void>(defaults.set(key, core::Value(value)));
    } else if constexpr (std::signed_integral<T>) {
        static_cast<void>(defaults.set(key, core::Value(static_cast<std::int64_t>(value))));
    } else if constexpr (std::unsigned_integral<T>) {
        static_cast<void>(defaults.set(key, core::Value(value)));
    } else if constexpr (std::floating_point<T>) {
        static_cast<void>(defaults.set(key, core::Value(static_cast<double>(value))));
    } else if constexpr (std::is_convertible_v<const T&, core::Value>) {
        static_cast<void>(defaults.set(key, core::Value(value)));
    }
    // Anything else is not a stored kind: nothing is stored and the previous value stays. So does a value the
    // defaults refuse (a text they could not give back exactly), which is why their answer is not needed here:
    // what the user types is checked before it is stored (the naming template's edit check), and a failure
    // to write the file is told by the defaults themselves.
}

namespace UserDefaults {

// A (store, key) pair; made fresh for every use and caching nothing.
class Proxy {
public:
    Proxy(std::shared_ptr<core::UserDefaults> defaults, std::string key);
    virtual ~Proxy() = default;

    virtual std::optional<core::Value> object() const;
    virtual std::optional<std::string> string() const;
    virtual std::optional<core::Array> array() const;
    // The array when every element is a string.
    virtual std::optional<std::vector<std::string>> strings() const;
    virtual std::optional<core::Dictionary> dictionary() const;
    virtual std::optional<core::Data> data() const;
    virtual std::optional<core::Date> date() const;
    // The stored value when it is a number (booleans included).
    virtual std::optional<core::Value> number() const;
    virtual std::optional<std::int64_t> intValue() const;
    virtual std::optional<double> doubleValue() const;
    virtual std::optional<double> cgfloat() const;
    virtual std::optional<bool> boolValue() const;

    const std::shared_ptr<core::UserDefaults>& defaults() const { return defaults_; }
    const std::string& key() const { return key_; }

    // The keyed setter: `Defaults["key"] = value`.
    template <class T>
    const Proxy& operator=(const T& value) const
    {
        setObjectForKeyedSubscript(*defaults_, key_, value);
        return *this;
    }

    // Adds to the current number (0 when absent or not a number) and stores the sum; integer sums saturate.
    template <std::integral T>
    requires(!std::same_as<T, bool>) const Proxy& operator+=(T amount) const
    {
        addInteger(static_cast<std::int64_t>(amount));
        return *this;
    }
    template <std::floating_point T>
    const Proxy& operator+=(T amount) const
    {
        addReal(static_cast<double>(amount));
        return *this;
    }

    // Stores makeValue() when the key has no value; otherwise does nothing and never calls makeValue.
    template <class MakeValue>
    void setIfAbsent(MakeValue&& makeValue) const
    {
        if (!objectForKeyedSubscript(*defaults_, key_)) setObjectForKeyedSubscript(*defaults_, key_, makeValue());
    }

private:
    void addInteger(std::int64_t amount) const;
    void addReal(double amount) const;

    const std::shared_ptr<core::UserDefaults> defaults_;
    const std::string key_;
};

}  // namespace UserDefaults

// `Defaults[key]` for any store.
UserDefaults::Proxy subscript(const std::shared_ptr<core::UserDefaults>& defaults, const std::string& key);

}  // namespace kestrane
