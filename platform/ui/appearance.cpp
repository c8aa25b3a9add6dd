#include "platform/ui/appearance.h"

namespace ui {

std::shared_ptr<Appearance> Appearance::named(const std::string& name)
{
    if (name != AppearanceName::aqua && name != AppearanceName::vibrantDark && name != AppearanceName::vibrantLight)
        return nullptr;
    return core::make<Appearance>(name);
}

gfx::Color Appearance::backgroundColor() const
{
    if (name_ == AppearanceName::vibrantDark) return gfx::Color::gray(0.2);
    if (name_ == AppearanceName::vibrantLight) return gfx::Color::gray(0.93);
    return gfx::Color::gray(0.91);
}

gfx::Color Appearance::textColor() const { return isDark() ? gfx::Color::white() : gfx::Color::black(); }

}  // namespace ui
