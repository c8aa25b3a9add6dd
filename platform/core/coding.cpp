#include "platform/core/coding.h"

#include <map>

#include "platform/core/mutex.h"

namespace core {

namespace {

struct Registry {
    Mutex mutex;  // guards the entries
    struct Entry {
        CodingRegistry::Factory factory;
        CodingRegistry::Probe probe = nullptr;
    };
    std::map<std::string, Entry> entries GUARDED_BY(mutex);
};

Registry& registry()
{
    // Never destroyed: classes register from static initialisers and decode until the process ends.
    static auto* instance = new Registry;
    return *instance;
}

}  // namespace

void CodingRegistry::addFactory(const std::string& name, Factory factory, Probe probe)
{
    MutexLock lock(registry().mutex);
    registry().entries[name] = {std::move(factory), probe};
}

CodingRegistry::Factory CodingRegistry::factory(const std::string& name)
{
    MutexLock lock(registry().mutex);
    const auto found = registry().entries.find(name);
    return found == registry().entries.end() ? Factory() : found->second.factory;
}

CodingRegistry::Probe CodingRegistry::probe(const std::string& name)
{
    MutexLock lock(registry().mutex);
    const auto found = registry().entries.find(name);
    return found == registry().entries.end() ? nullptr : found->second.probe;
}

}  // namespace core
