// What a layer asks of its delegate: to draw its content, and which action (animation) a change of a
// property runs. Main thread only.
#pragma once

#include <optional>
#include <string>

#include "platform/ui/transaction.h"

namespace gfx {
class Context;
}

namespace ui {

class Layer;

// An animated change: a cross-fade from the old picture of the layer to the new one.
struct Transition {
    enum class Type { fade };
    double duration = Transaction::defaultDuration;
    Type type = Type::fade;
};

class LayerDelegate {
public:
    virtual ~LayerDelegate() = default;
    virtual void drawLayer(Layer& layer, gfx::Context& context) {}
    // The action for a change of `key` ("contents", "bounds", "position", "opacity", ...); none lets the layer
    // decide (a view's own layer then changes at once, a sublayer animates).
    virtual std::optional<Transition> actionForLayer(Layer& layer, const std::string& key) { return std::nullopt; }
};

}  // namespace ui
