#include "appkit/appearance_extensions.h"

namespace kestrane::Appearance {

std::shared_ptr<ui::Appearance> aqua() { return ui::Appearance::named(ui::AppearanceName::aqua); }
std::shared_ptr<ui::Appearance> vibrantDark() { return ui::Appearance::named(ui::AppearanceName::vibrantDark); }
std::shared_ptr<ui::Appearance> vibrantLight() { return ui::Appearance::named(ui::AppearanceName::vibrantLight); }

}  // namespace kestrane::Appearance
