// A named look for windows, views and popovers: the light default ("NSAppearanceNameAqua") or the vibrant
// dark and light ones, as palettes of the widget toolkit. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "platform/core/object.h"
#include "platform/gfx/color.h"

namespace ui {

namespace AppearanceName {
inline const std::string aqua = "NSAppearanceNameAqua";
inline const std::string vibrantDark = "NSAppearanceNameVibrantDark";
inline const std::string vibrantLight = "NSAppearanceNameVibrantLight";
}  // namespace AppearanceName

class Appearance : public core::Object {
public:
    // Null for a name that is none of the above.
    static std::shared_ptr<Appearance> named(const std::string& name);

    const std::string& name() const { return name_; }
    // The fill behind content and the colour of text.
    gfx::Color backgroundColor() const;
    gfx::Color textColor() const;
    bool isDark() const { return name_ == AppearanceName::vibrantDark; }

    explicit Appearance(std::string name) : name_(std::move(name)) {}

private:
    std::string name_;
};

}  // namespace ui
