#include "appkit/tracking_slider.h"

namespace kestrane {

bool TrackingSlider::startTracking(const gfx::Point& at)
{
    trackingState_ = TrackingState::willStart;
    return Slider::startTracking(at);
}

bool TrackingSlider::continueTracking(const gfx::Point& last, const gfx::Point& current)
{
    trackingState_ = TrackingState::continuing;
    return Slider::continueTracking(last, current);
}

void TrackingSlider::stopTracking(const gfx::Point& last, const gfx::Point& current, bool mouseIsUp)
{
    Slider::stopTracking(last, current, mouseIsUp);
    trackingState_ = TrackingState::didStop;
    ++trackingCount_;
}

}  // namespace kestrane
