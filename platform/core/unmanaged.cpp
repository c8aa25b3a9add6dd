#include "platform/core/unmanaged.h"

#include <map>
#include <mutex>

namespace core {

namespace {

struct Retained {
    std::mutex mutex;
    std::multimap<void*, std::shared_ptr<Object>> references;
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
    std::lock_guard lock(retained().mutex);
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
    std::lock_guard lock(retained().mutex);
    const auto found = retained().references.find(pointer);
    if (found == retained().references.end()) return nullptr;
    auto object = std::move(found->second);
    retained().references.erase(found);
    return object;
}

}  // namespace core
