// Actions are named by their selector text ("seekNextFrame:"); an item whose action can be validated (a menu
// item, a toolbar item) shows its action and tag to the responder that validates it.
#pragma once

#include <string>

namespace ui {

using Action = std::string;

// Main thread only.
class ValidatedUserInterfaceItem {
public:
    virtual ~ValidatedUserInterfaceItem() = default;
    virtual Action action() const = 0;
    virtual long tag() const = 0;
};

}  // namespace ui
