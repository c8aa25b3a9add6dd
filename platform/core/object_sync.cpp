#include "platform/core/object_sync.h"

#include <map>
#include <thread>

#include "platform/core/condition_variable.h"

namespace core {

namespace {

// Who holds each address and how many times; an entry is dropped when its last hold ends.
struct Holds {
    struct Hold {
        std::thread::id owner;
        int depth = 0;
    };
    Mutex mutex;  // guards the holds
    ConditionVariable released;
    std::map<const void*, Hold> held GUARDED_BY(mutex);
};

Holds& holds()
{
    static Holds instance;
    return instance;
}

}  // namespace

ObjectSync::ObjectSync(const void* object) : object_(object)
{
    auto& all = holds();
    MutexLock lock(all.mutex);
    const auto self = std::this_thread::get_id();
    all.released.wait(lock, [&]() REQUIRES(all.mutex) {
        const auto it = all.held.find(object);
        return it == all.held.end() || it->second.owner == self;
    });
    auto& hold = all.held[object];
    hold.owner = self;
    ++hold.depth;
}

ObjectSync::~ObjectSync()
{
    auto& all = holds();
    {
        MutexLock lock(all.mutex);
        const auto it = all.held.find(object_);
        if (--it->second.depth == 0) all.held.erase(it);
    }
    all.released.notify_all();
}

}  // namespace core
