#include "foundation/kestrane_kit.h"

#include "platform/gfx/image_reader.h"

namespace kestrane {

std::shared_ptr<const core::Bundle> KestraneKit::bundle() { return core::Bundle::named("Kestrane"); }

std::string KestraneKit::local(const std::string& key) { return kestrane::local(*bundle(), key); }

gfx::ImageRef KestraneKit::imageNamed(const std::string& name) { return imageForResource(*bundle(), name); }

gfx::ImageRef imageForResource(const core::Bundle& bundle, const std::string& name)
{
    for (const char* extension : {"", "png", "tiff", "tif", "jpg", "jpeg", "gif"}) {
        if (const auto url = bundle.urlForResource(name, extension)) {
            if (auto image = gfx::ImageReader::read(*url)) return image;
        }
    }
    return nullptr;
}

}  // namespace kestrane
