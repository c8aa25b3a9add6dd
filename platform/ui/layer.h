// A rectangle of content in a tree of layers: background colour, an image as contents, custom drawing and
// sublayers, placed by position, bounds and an affine transform in the superlayer's space. A view's layer is
// painted under its subviews. Changes of a sublayer's frame, bounds, position, transform, opacity, background
// colour and contents animate implicitly (see Transaction); reads give the new value at once. Main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/object.h"
#include "platform/gfx/affine_transform.h"
#include "platform/gfx/color.h"
#include "platform/gfx/image.h"
#include "platform/gfx/rect.h"
#include "platform/ui/layer_delegate.h"

namespace gfx {
class Context;
}

namespace ui {

class View;

enum class ContentsGravity { resize, resizeAspect, resizeAspectFill, center };

class Layer : public core::Object {
public:
    // What is on screen now: the model values, or where their animations have got to.
    struct State {
        gfx::Rect bounds;
        gfx::Point position;
        gfx::AffineTransform transform;
        std::optional<gfx::Color> backgroundColor;
        double opacity = 1;
        gfx::ImageRef contents;
        gfx::ImageRef fadingContents;  // the picture a cross-fade leaves
        double contentsFade = 1;       // how far the cross-fade has got
    };

    Layer() = default;
    ~Layer() override;

    gfx::Rect frame() const;
    void setFrame(const gfx::Rect& frame);
    gfx::Rect bounds() const { return model_.bounds; }
    void setBounds(const gfx::Rect& bounds);
    gfx::Point position() const { return model_.position; }
    void setPosition(const gfx::Point& position);
    // The point of the bounds (in unit coordinates) that sits at the position; (0.5, 0.5) by default.
    gfx::Point anchorPoint() const { return anchor_; }
    void setAnchorPoint(const gfx::Point& anchor);
    gfx::AffineTransform affineTransform() const { return model_.transform; }
    void setAffineTransform(const gfx::AffineTransform& transform);
    std::optional<gfx::Color> backgroundColor() const { return model_.backgroundColor; }
    void setBackgroundColor(const std::optional<gfx::Color>& color);
    double opacity() const { return model_.opacity; }
    void setOpacity(double opacity);
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);

    gfx::ImageRef contents() const { return model_.contents; }
    void setContents(const gfx::ImageRef& image);
    ContentsGravity contentsGravity() const { return gravity_; }
    void setContentsGravity(ContentsGravity gravity);
    double contentsScale() const { return contentsScale_; }
    void setContentsScale(double scale) { contentsScale_ = scale; }
    unsigned autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }

    std::shared_ptr<Layer> superlayer() const { return superlayer_.lock(); }
    const std::vector<std::shared_ptr<Layer>>& sublayers() const { return sublayers_; }
    void addSublayer(const std::shared_ptr<Layer>& layer);
    void insertSublayer(const std::shared_ptr<Layer>& layer, std::size_t index);
    void removeFromSuperlayer();

    std::shared_ptr<LayerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<LayerDelegate>& delegate) { delegate_ = delegate; }

    // Asks for the layer to be painted again (drawInContext runs then).
    void setNeedsDisplay();
    // Draws the layer's own content in its bounds space; by default asks the delegate.
    virtual void drawInContext(gfx::Context& context);
    // While drawInContext runs: whether y grows downwards in the space of the view the layer is painted in (so
    // that what stands upright must be flipped), whatever mirror the layer's own transform adds.
    bool drawsInFlippedSpace() const { return drawsFlipped_; }

    // The values being shown, animations included.
    const State& presentation() const { return presentation_; }

    // For views: the view this layer is the own layer of.
    void setHostView(const std::weak_ptr<View>& view) { hostView_ = view; }
    // Paints the layer and its sublayers into `context`, which stands in the superlayer's space; `flipped`
    // tells that y grows downwards there, so that pictures and text still stand upright.
    void render(gfx::Context& context, double parentAlpha, bool flipped);

private:
    using Mix = std::function<void(State& shown, double fraction)>;
    // Applies a model change to what is shown: at once, or as an animation when the change has an action.
    void change(const std::string& key, Mix mix);
    std::optional<Transition> actionFor(const std::string& key);
    void layoutSublayers(const gfx::Size& oldSize);
    void drawContents(gfx::Context& context, double alpha, bool flipped);

    State model_;
    State presentation_;
    gfx::Point anchor_{0.5, 0.5};
    bool hidden_ = false;
    ContentsGravity gravity_ = ContentsGravity::resize;
    double contentsScale_ = 1;
    unsigned autoresizingMask_ = 0;
    std::weak_ptr<Layer> superlayer_;
    std::vector<std::shared_ptr<Layer>> sublayers_;
    std::weak_ptr<LayerDelegate> delegate_;
    std::weak_ptr<View> hostView_;
    bool drawsFlipped_ = false;
};

// The rectangle an image of `imageSize` takes in `bounds` under `gravity`.
gfx::Rect gravityRect(ContentsGravity gravity, const gfx::Size& imageSize, const gfx::Rect& bounds);

}  // namespace ui
