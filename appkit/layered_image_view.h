// A layer-backed view that shows an image as its layer's contents, scaled to fit with its aspect kept on a
// black background, and cross-fades when the image changes. Main thread only.
#pragma once

#include <optional>

#include "platform/gfx/color.h"
#include "platform/gfx/image.h"
#include "platform/ui/layer.h"
#include "platform/ui/layer_delegate.h"
#include "platform/ui/view.h"

namespace kestrane {

class LayeredImageView : public ui::View, public ui::LayerDelegate {
public:
    using View::View;
    void awake() override;

    // Seconds of the cross-fade when the image changes; 0 changes it at once.
    double duration() const { return duration_; }
    void setDuration(double seconds) { duration_ = seconds; }

    std::shared_ptr<ui::Layer> imageLayer();
    gfx::ImageRef image();
    // Null clears the picture.
    void setImage(const gfx::ImageRef& image);
    std::optional<gfx::Color> backgroundColor();
    void setBackgroundColor(const std::optional<gfx::Color>& color);

    // A fade of `duration` for a change of the contents; nothing for any other key.
    std::optional<ui::Transition> actionForLayer(ui::Layer& layer, const std::string& key) override;

protected:
    virtual void thumbnailViewSetup();

private:
    // Runs `change` at once when the duration is 0, else as the layer's actions say.
    void applyChange(const std::function<void()>& change) const;

    double duration_ = 0.5;
};

}  // namespace kestrane
