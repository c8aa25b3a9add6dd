// A slider that tells its action handler in which phase of a drag an action comes: at its start, during it,
// or after the mouse went up (also the state outside any drag), and counts the drags that have ended.
// Main thread only.
#pragma once

#include <cstdint>

#include "platform/ui/slider.h"

namespace kestrane {

class TrackingSlider : public ui::Slider {
public:
    enum class TrackingState { willStart = 0, continuing = 1, didStop = 2 };

    using Slider::Slider;

    virtual TrackingState trackingState() const { return trackingState_; }
    virtual std::int64_t trackingCount() const { return trackingCount_; }
    void setTrackingCount(std::int64_t count) { trackingCount_ = count; }

    // The state is written before the slider's own start and continue steps, and after its stop.
    bool startTracking(const gfx::Point& at) override;
    bool continueTracking(const gfx::Point& last, const gfx::Point& current) override;
    void stopTracking(const gfx::Point& last, const gfx::Point& current, bool mouseIsUp) override;

private:
    TrackingState trackingState_ = TrackingState::didStop;
    std::int64_t trackingCount_ = 0;
};

}  // namespace kestrane
