// A hashable key wrapping a value of any hashable, equality-comparable type, so keys of different types can
// share one map. Two keys are equal when the right one's value has the left one's type and equals its value.
#pragma once

#include <any>
#include <cstddef>
#include <functional>

namespace kestrane {

class AnyKey {
public:
    template <class T>
    explicit AnyKey(T value)
        : underlying_(value), hashValueFunc_([value] { return std::hash<T>()(value); }),
          equalityFunc_([value](const std::any& other) {
              const T* candidate = std::any_cast<T>(&other);
              return candidate && *candidate == value;
          })
    {
    }

    const std::any& underlying() const { return underlying_; }
    std::size_t hashValue() const { return hashValueFunc_(); }

    friend bool operator==(const AnyKey& lhs, const AnyKey& rhs) { return lhs.equalityFunc_(rhs.underlying_); }

private:
    std::any underlying_;
    std::function<std::size_t()> hashValueFunc_;
    std::function<bool(const std::any&)> equalityFunc_;
};

}  // namespace kestrane

template <>
struct std::hash<kestrane::AnyKey> {
    std::size_t operator()(const kestrane::AnyKey& key) const { return key.hashValue(); }
};
