// Base of every platform object with identity: shared ownership, weak references through
// enable_shared_from_this, and a set-up hook that runs once the object is fully constructed, so that
// overrides of subclasses take part in it.
#pragma once

#include <memory>
#include <string>
#include <utility>

namespace core {

class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object() = default;

    // Runs once, right after construction through core::make; subclasses call their base's awake().
    virtual void awake() {}

    // A short text naming the object, for logs.
    virtual std::string description() const;

    template <class T>
    std::shared_ptr<T> sharedAs()
    {
        return std::dynamic_pointer_cast<T>(shared_from_this());
    }

protected:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
};

// Constructs a shared object, then runs its awake() hook.
template <class T, class... Args>
std::shared_ptr<T> make(Args&&... args)
{
    auto object = std::make_shared<T>(std::forward<Args>(args)...);
    object->awake();
    return object;
}

}  // namespace core
