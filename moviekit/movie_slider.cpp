#include "moviekit/movie_slider.h"

#include "appkit/control_extensions.h"
#include "foundation/player_extensions.h"
#include "foundation/time_operators.h"
#include "moviekit/player.h"

#include <cmath>

namespace orvalis {

using kestrane::operator/;
using kestrane::operator*;

namespace {

const ui::Action slideCurrentTimeAction = "slideCurrentTime:";

}  // namespace

MovieSlider::MovieSlider(const gfx::Rect& frame) : ui::View(frame) {}

void MovieSlider::awake()
{
    ui::View::awake();
    movieSliderSetup();
}

MovieSlider::~MovieSlider()
{
    if (movie_) movie_->player()->removeObserver(*this);
}

void MovieSlider::movieSliderSetup()
{
    trackingSlider_ = core::make<kestrane::TrackingSlider>(bounds());
    trackingSlider_->setAutoresizingMask(ui::AutoresizingMask::widthSizable | ui::AutoresizingMask::heightSizable);
    std::weak_ptr<MovieSlider> weakSelf = sharedAs<MovieSlider>();
    registerAction(slideCurrentTimeAction, [weakSelf](const std::shared_ptr<core::Object>& sender) {
        auto self = weakSelf.lock();
        auto slider = std::dynamic_pointer_cast<kestrane::TrackingSlider>(sender);
        if (self && slider) self->slideCurrentTime(*slider);
    });
    trackingSlider_->setTarget(sharedAs<ui::Responder>());
    trackingSlider_->setAction(slideCurrentTimeAction);
    trackingSlider_->setMinValue(0);
    trackingSlider_->setMaxValue(1);
    trackingSlider_->setEnabled(false);
    addSubview(trackingSlider_);
}

void MovieSlider::setMovie(const MovieRef& movie)
{
    if (movie == movie_) return;
    if (movie_) movie_->player()->removeObserver(*this);
    movie_ = movie;
    updateTrackingSlider();
    if (movie_) movie_->player()->addObserver(*this);
}

int MovieSlider::observerOptions(const Player&) { return PlayerObserverOptions::time.rawValue; }

void MovieSlider::playerTimeDidChange(Player&, const media::Time& time)
{
    if (!movie_ || trackingSlider_->trackingState() != kestrane::TrackingSlider::TrackingState::didStop) return;
    // An unplayable movie has no duration to divide by: its slider stays disabled at 0.
    const double progress = time / movie_->duration();
    if (movie_->playable() && std::isfinite(progress)) trackingSlider_->setDoubleValue(progress);
}

void MovieSlider::updateTrackingSlider()
{
    const double progress = movie_ && movie_->playable() ? movie_->player()->currentProgress() : NAN;
    if (std::isfinite(progress))
        kestrane::enableWithDouble(*trackingSlider_, progress);
    else
        kestrane::disableWithDouble(*trackingSlider_, 0);
}

void MovieSlider::slideCurrentTime(kestrane::TrackingSlider& slider)
{
    if (!movie_) return;
    const auto& player = movie_->player();
    switch (slider.trackingState()) {
    case kestrane::TrackingSlider::TrackingState::willStart:
        player->temporaryPause();
        [[fallthrough]];
    case kestrane::TrackingSlider::TrackingState::continuing:
        if (const auto duration = kestrane::duration(*player->avplayer()))
            kestrane::seekAccurately(*player->avplayer(), *duration * slider.doubleValue());
        break;
    case kestrane::TrackingSlider::TrackingState::didStop:
        player->temporaryPlay();
        break;
    }
}

}  // namespace orvalis
