// Boxes for a value: ObjectWrapper gives it a shared identity (hold it by std::shared_ptr), StructWrapper
// keeps value semantics.
#pragma once

#include <utility>

namespace kestrane {

template <class T>
class ObjectWrapper {
public:
    explicit ObjectWrapper(T value) : value(std::move(value)) {}
    T value;
};

template <class T>
struct StructWrapper {
    explicit StructWrapper(T value) : value(std::move(value)) {}
    T value;
};

}  // namespace kestrane
