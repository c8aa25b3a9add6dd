// Actions are named by their selector text ("seekNextFrame:"); an item whose action can be validated (a menu
// item, a toolbar item) shows its action and tag to the responder that validates it.
#pragma once

#include <string>

namespace ui {

using Action = std::string;

// An action's name, spelt once as a constant next to the responder that performs it; it stands for an Action
// wherever one is taken, and compares equal to the Action it names.
struct ActionName {
    const char* text;

    operator Action() const { return text; }
    friend bool operator==(const Action& action, const ActionName& name) { return action == name.text; }
};

// Main thread only.
class ValidatedUserInterfaceItem {
public:
    virtual ~ValidatedUserInterfaceItem() = default;
    virtual Action action() const = 0;
    virtual long tag() const = 0;
};

}  // namespace ui
