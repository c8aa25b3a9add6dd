// The batch window's settings as they were stored: a value that its control cannot show (of another kind,
// not a whole number where one is asked for, or outside the control's range) is put back to the program's
// default for it, which the control bound to it then shows, and the user is told once in the run which
// settings were put back. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace vistrel {

struct BoundSetting {
    std::shared_ptr<ui::Control> control;
    std::string key;
    std::string name;  // the setting as the window names it, for the user
};

// Puts back the settings out of their controls' ranges; the names of those put back, in the order given.
std::vector<std::string> putBackSettingsOutOfRange(const std::vector<BoundSetting>& settings);

}  // namespace vistrel
