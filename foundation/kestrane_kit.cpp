#include "foundation/kestrane_kit.h"

namespace kestrane {

std::shared_ptr<const core::Bundle> KestraneKit::bundle()
{
    return core::Bundle::named("Kestrane");
}

std::string KestraneKit::local(const std::string& key)
{
    return kestrane::local(*bundle(), key);
}

}  // namespace kestrane
