#include "platform/core/value_transformer.h"

#include <map>

#include "platform/core/mutex.h"

namespace core {

namespace {

struct Registry {
    Mutex mutex;  // guards the transformers by name
    std::map<std::string, std::shared_ptr<ValueTransformer>> byName GUARDED_BY(mutex);
};

Registry& registry()
{
    static Registry shared;
    return shared;
}

}  // namespace

void ValueTransformer::setValueTransformer(std::shared_ptr<ValueTransformer> transformer, const std::string& name)
{
    auto& shared = registry();
    MutexLock lock(shared.mutex);
    if (transformer)
        shared.byName[name] = std::move(transformer);
    else
        shared.byName.erase(name);
}

std::shared_ptr<ValueTransformer> ValueTransformer::valueTransformer(const std::string& name)
{
    auto& shared = registry();
    MutexLock lock(shared.mutex);
    const auto found = shared.byName.find(name);
    return found == shared.byName.end() ? nullptr : found->second;
}

}  // namespace core
