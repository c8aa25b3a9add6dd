#include "platform/ui/interface_registry.h"

#include <map>

namespace ui {

namespace {

std::map<std::string, InterfaceRegistry::Builder>& builders()
{
    static std::map<std::string, InterfaceRegistry::Builder> registry;
    return registry;
}

}  // namespace

void InterfaceRegistry::add(const std::string& name, Builder builder) { builders()[name] = std::move(builder); }

bool InterfaceRegistry::contains(const std::string& name) { return builders().count(name) != 0; }

bool InterfaceRegistry::build(const std::string& name, const std::shared_ptr<core::Object>& owner)
{
    auto found = builders().find(name);
    if (found == builders().end()) return false;
    auto builder = found->second;
    builder(owner);
    return true;
}

}  // namespace ui
