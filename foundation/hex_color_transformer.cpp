#include "foundation/hex_color_transformer.h"

#include <mutex>
#include <string>

#include "foundation/color_extensions.h"
#include "platform/gfx/color.h"

namespace kestrane {

void HexNSColorTransformer::registerIfNeeded()
{
    static std::mutex registering;
    std::lock_guard lock(registering);
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
