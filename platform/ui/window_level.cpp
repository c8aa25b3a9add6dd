#include "platform/ui/window_level.h"

#include <climits>

namespace ui {

int windowLevelForKey(int key)
{
    constexpr int base = INT_MIN;
    constexpr int minimum = base + 1;
    constexpr int maximum = INT_MAX - 1;
    constexpr int desktop = minimum + 20;
    static const int levels[] = {
        base, minimum, desktop, -20,     0,   3,   3,  20,           24,          25,   8,
        101,  500,     1000,    maximum, 102, 200, 19, desktop + 20, maximum - 1, 1500,
    };
    return key >= 0 && key < int(sizeof levels / sizeof levels[0]) ? levels[key] : 0;
}

}  // namespace ui
