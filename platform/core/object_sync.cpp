#include "platform/core/object_sync.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace core {

namespace {

// Who holds each address and how many times; an entry is dropped when its last hold ends.
struct Holds {
    struct Hold {
        std::thread::id owner;
        int depth = 0;
    };
    std::mutex mutex;
    std::condition_variable released;
    std::map<const void*, Hold> held;
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
    std::unique_lock lock(all.mutex);
    const auto self = std::this_thread::get_id();
    all.released.wait(lock, [&] {
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
        std::lock_guard lock(all.mutex);
        const auto it = all.held.find(object_);
        if (--it->second.depth == 0) all.held.erase(it);
    }
    all.released.notify_all();
}

}  // namespace core
