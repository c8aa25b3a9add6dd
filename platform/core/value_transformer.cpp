#include "platform/core/value_transformer.h"

#include <map>
#include <mutex>

namespace core {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<ValueTransformer>> byName;
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
    std::lock_guard lock(shared.mutex);
    if (transformer)
        shared.byName[name] = std::move(transformer);
    else
        shared.byName.erase(name);
}

std::shared_ptr<ValueTransformer> ValueTransformer::valueTransformer(const std::string& name)
{
    auto& shared = registry();
    std::lock_guard lock(shared.mutex);
    const auto found = shared.byName.find(name);
    return found == shared.byName.end() ? nullptr : found->second;
}

}  // namespace core
