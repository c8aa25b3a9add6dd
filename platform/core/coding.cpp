#include "platform/core/coding.h"

#include <map>
#include <mutex>

namespace core {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, CodingRegistry::Factory> factories;
};

Registry& registry()
{
    // Never destroyed: classes register from static initialisers and decode until the process ends.
    static auto* instance = new Registry;
    return *instance;
}

}  // namespace

void CodingRegistry::addFactory(const std::string& name, Factory factory)
{
    std::lock_guard lock(registry().mutex);
    registry().factories[name] = std::move(factory);
}

CodingRegistry::Factory CodingRegistry::factory(const std::string& name)
{
    std::lock_guard lock(registry().mutex);
    const auto found = registry().factories.find(name);
    return found == registry().factories.end() ? Factory() : found->second;
}

}  // namespace core
