#include "app/document/flash_movie_view.h"

#include "app/document/defaults_keys.h"
#include "appkit/animation_extensions.h"
#include "foundation/shortcuts.h"
#include "platform/core/dispatch_queue.h"

namespace vistrel {

namespace {

constexpr double shutterVolume = 0.15;

}  // namespace

std::shared_ptr<ui::Sound> FlashMovieView::flashSound()
{
    if (!flashSound_) {
        auto sound = ui::Sound::named("SnapSound");
        if (sound && sound->url()) {
            sound->setVolume(shutterVolume);
            flashSound_ = sound;
        }
    }
    return flashSound_;
}

std::shared_ptr<ui::Layer> FlashMovieView::flashLayer()
{
    if (!flashLayer_) {
        flashLayer_ = core::make<ui::Layer>();
        flashLayer_->setBackgroundColor(gfx::Color::white());
        flashLayer_->setAutoresizingMask(ui::AutoresizingMask::widthSizable | ui::AutoresizingMask::heightSizable);
    }
    return flashLayer_;
}

void FlashMovieView::flash()
{
    if (kestrane::Defaults[EnableFlashAnimationKey].boolValue().value_or(true)) {
        auto white = flashLayer();
        if (auto own = layer()) {
            white->removeFromSuperlayer();
            own->addSublayer(white);
            kestrane::Transaction::disableAnimation([&] {
                white->setOpacity(1.0);
                white->setFrame(bounds());
            });
            // The view stays until its fade has run.
            core::DispatchQueue::main()->asyncAfter(flashHold, [self = sharedAs<FlashMovieView>(), white] {
                kestrane::Transaction::animateWithDuration(flashFade, [&] { white->setOpacity(0.0); });
            });
        }
    }
    if (kestrane::Defaults[EnableFlashSoundKey].boolValue().value_or(true))
        if (auto sound = flashSound()) sound->play();
}

}  // namespace vistrel
