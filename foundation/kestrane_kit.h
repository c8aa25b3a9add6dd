// The framework itself: its own bundle (Kestrane.bundle next to the binaries) and its localized strings.
#pragma once

#include <memory>
#include <string>

#include "foundation/bundle_info.h"
#include "platform/core/bundle.h"

namespace kestrane {

class KestraneKit {
public:
    // Asked of the platform on every call.
    static std::shared_ptr<const core::Bundle> bundle();

    static std::string local(const std::string& key);

    template <class... Args>
    static std::string local(const std::string& key, const Args&... arguments)
    {
        return kestrane::local(*bundle(), key, arguments...);
    }
};

}  // namespace kestrane
