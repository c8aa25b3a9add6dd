// Platform objects passed as raw pointers (to C callbacks, as context values): without a reference, or with one
// reference kept alive on the pointer's behalf until it is taken back. Safe from any thread.
#pragma once

#include <memory>

#include "platform/core/object.h"

namespace core {

class Unmanaged {
public:
    // The object's address; the pointer does not keep it alive.
    static void* passUnretained(const std::shared_ptr<Object>& object);
    // The object's address, with one reference owned by the pointer.
    static void* passRetained(std::shared_ptr<Object> object);
    // The object at the pointer (which must be alive), as a new reference; a reference owned by the pointer stays.
    static std::shared_ptr<Object> takeUnretainedValue(void* pointer);
    // Takes over one reference that passRetained gave the pointer; null when the pointer owns none.
    static std::shared_ptr<Object> takeRetainedValue(void* pointer);
};

}  // namespace core
