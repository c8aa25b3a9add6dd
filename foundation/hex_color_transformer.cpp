#include "foundation/hex_color_transformer.h"

#include <string>

#include "foundation/color_extensions.h"
#include "platform/core/mutex.h"
#include "platform/gfx/color.h"

namespace kestrane {

void HexNSColorTransformer::registerIfNeeded()
{
    // Guards the look-up and the registering, so that one transformer only is ever registered.
    static core::Mutex registering;
    core::MutexLock lock(registering);
    if (!core::ValueTransformer::valueTransformer(name))
        core::ValueTransformer::setValueTransformer(core::make<HexNSColorTransformer>(), name);
}

std::any HexNSColorTransformer::transformedValue(const std::any& value) const
{
    if (const auto* text = std::any_cast<std::string>(&value)) {
        if (const auto color = NSColor::fromHexString(*text)) return *color;
        return {};
    }
    return gfx::Color::black();
}

std::any HexNSColorTransformer::reverseTransformedValue(const std::any& value) const
{
    if (const auto* color = std::any_cast<gfx::Color>(&value)) return hexString(*color);
    return hexString(gfx::Color::black());
}

}  // namespace kestrane
