// Runs a block while holding the monitor of an object, released on every path (also when the block throws).
#pragma once

#include <memory>
#include <utility>

#include "platform/core/object_sync.h"

namespace kestrane {

template <class Block>
auto ObjcSync(const void* object, Block&& block)
{
    core::ObjectSync monitor(object);
    return std::forward<Block>(block)();
}

template <class T, class Block>
auto ObjcSync(const std::shared_ptr<T>& object, Block&& block)
{
    return ObjcSync(static_cast<const void*>(object.get()), std::forward<Block>(block));
}

}  // namespace kestrane
