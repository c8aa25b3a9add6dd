// The framework itself: its own bundle (Kestrane.bundle next to the binaries), its localized strings and its
// images. Safe from any thread.
#pragma once

#include <memory>
#include <string>

#include "foundation/bundle_info.h"
#include "platform/core/bundle.h"
#include "platform/gfx/image.h"

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

    // The framework's image resource of that name; null when there is none.
    static gfx::ImageRef imageNamed(const std::string& name);
};

// A bundle's image resource of that name, given with or without its extension (png, tiff, tif, jpg, jpeg or
// gif); null when there is none or it cannot be read.
gfx::ImageRef imageForResource(const core::Bundle& bundle, const std::string& name);

}  // namespace kestrane
