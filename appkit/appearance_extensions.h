// The named appearances: the light default and the vibrant dark and light ones. Main thread only.
#pragma once

#include <memory>

#include "platform/ui/appearance.h"

namespace kestrane::Appearance {

// Each is null when the platform has no appearance of that name.
std::shared_ptr<ui::Appearance> aqua();
std::shared_ptr<ui::Appearance> vibrantDark();
std::shared_ptr<ui::Appearance> vibrantLight();

}  // namespace kestrane::Appearance
