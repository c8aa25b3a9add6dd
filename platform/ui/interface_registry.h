// Interfaces built in code and registered by name: a window or view controller that names an interface has
// it built on first use, with itself as the owner whose window, view and outlets the builder sets. Main
// thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/core/object.h"

namespace ui {

class InterfaceRegistry {
public:
    using Builder = std::function<void(const std::shared_ptr<core::Object>& owner)>;

    // Replaces a builder of the same name.
    static void add(const std::string& name, Builder builder);
    static bool contains(const std::string& name);
    // Runs the builder of `name` for `owner`; false when there is none.
    static bool build(const std::string& name, const std::shared_ptr<core::Object>& owner);
};

}  // namespace ui
