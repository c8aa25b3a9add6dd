// Conversions between platform objects and raw pointers, with the ownership each name states.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/object.h"
#include "platform/core/unmanaged.h"

namespace kestrane {

// The object's address; no reference is added.
inline void* bridge(const std::shared_ptr<core::Object>& obj) { return core::Unmanaged::passUnretained(obj); }

// The object's address with one reference added, owned by the pointer (taken back by bridgeTransfer).
inline void* bridgeRetained(std::shared_ptr<core::Object> obj) { return core::Unmanaged::passRetained(std::move(obj)); }

// The object at the pointer as a new reference; a reference owned by the pointer stays.
template <class T = core::Object>
std::shared_ptr<T> bridge(void* ptr)
{
    return std::dynamic_pointer_cast<T>(core::Unmanaged::takeUnretainedValue(ptr));
}

// The object at the pointer, taking over the reference that bridgeRetained added.
template <class T = core::Object>
std::shared_ptr<T> bridgeTransfer(void* ptr)
{
    return std::dynamic_pointer_cast<T>(core::Unmanaged::takeRetainedValue(ptr));
}

// The object's address as a signed integer: its identity.
template <class T>
std::intptr_t address(const std::shared_ptr<T>& obj)
{
    return reinterpret_cast<std::intptr_t>(static_cast<const void*>(obj.get()));
}

}  // namespace kestrane
