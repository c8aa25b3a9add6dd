#include "platform/core/unmanaged.h"

#include <map>

#include "platform/core/mutex.h"

namespace core {

namespace {

struct Retained {
    Mutex mutex;  // guards the references
    std::multimap<void*, std::shared_ptr<Object>> references GUARDED_BY(mutex);
};

Retained& retained()
{
    static Retained instance;
    return instance;
}

}  // namespace

void* Unmanaged::passUnretained(const std::shared_ptr<Object>& object) { return object.get(); }

void* Unmanaged::passRetained(std::shared_ptr<Object> object)
{
    void* pointer = object.get();
    MutexLock lock(retained().mutex);
    retained().references.emplace(pointer, std::move(object));
    return pointer;
}

std::shared_ptr<Object> Unmanaged::takeUnretainedValue(void* pointer)
{
    if (!pointer) return nullptr;
    return static_cast<Object*>(pointer)->shared_from_this();
}

std::shared_ptr<Object> Unmanaged::takeRetainedValue(void* pointer)
{
    MutexLock lock(retained().mutex);
    const auto found = retained().references.find(pointer);
    if (found == retained().references.end()) return nullptr;
    auto object = std::move(found->second);
    retained().references.erase(found);
    return object;
}

}  // namespace core
