// The movie view of a document window, which flashes like a camera when a snap is taken: a white layer over
// the picture that fades out, and a shutter sound, each of which the user defaults can turn off
// ("EnableFlashAnimation", "EnableFlashSound"). Main thread only.
#pragma once

#include <memory>

#include "moviekit/movie_view.h"
#include "platform/ui/layer.h"
#include "platform/ui/sound.h"

namespace vistrel {

class FlashMovieView : public orvalis::MovieView {
public:
    // How long the white stays, and how long it takes to fade, in seconds.
    static constexpr double flashHold = 0.4;
    static constexpr double flashFade = 0.6;

    using MovieView::MovieView;

    // The bundle's "SnapSound" at volume 0.15, made on first use; null when the bundle has none.
    std::shared_ptr<ui::Sound> flashSound();
    // A white layer that follows the view's size, made on first use.
    std::shared_ptr<ui::Layer> flashLayer();

    // The white layer on top of the picture at once, fading after a moment; then the shutter sound.
    void flash();

private:
    std::shared_ptr<ui::Sound> flashSound_;
    std::shared_ptr<ui::Layer> flashLayer_;
};

}  // namespace vistrel
