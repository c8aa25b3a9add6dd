// Mutual exclusion keyed by an object's address: while an ObjectSync for an address lives, other threads that
// make one for the same address wait. Recursive on one thread. Safe from any thread.
#pragma once

#include <memory>

namespace core {

class ObjectSync {
public:
    explicit ObjectSync(const void* object);
    ~ObjectSync();
    ObjectSync(const ObjectSync&) = delete;
    ObjectSync& operator=(const ObjectSync&) = delete;

private:
    const void* object_;
};

}  // namespace core
