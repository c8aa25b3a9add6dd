// The playback-rate popover shared by every movie panel: a label and a slider showing the user rate of the
// player of the panel's movie, a slider that sets it (snapped to 1 near 1) and two buttons that step it by
// 0.2 within the slider's range. Main thread only.
#pragma once

#include "moviekit/player_popover_controller.h"

namespace orvalis {

class RatePopoverController : public PlayerPopoverController {
public:
    // The one every panel uses, made on first use and never released.
    static const std::shared_ptr<RatePopoverController>& sharedController();

    // Laid out by the kit's interface file "RatePopoverView", with the outlets "rateLabel" and "rateSlider"
    // and the actions "decreaseRate:", "increaseRate:" and "slideRate:".
    RatePopoverController();

    // The label shows "RatePopoverController.RateFormat" of 100 × the rate; the slider shows the rate.
    void playerUserRateDidChange(Player& player, float userRate) override;

private:
    void setPlayerValue(Player& player, double rate) override;
    // Snapped to 1 near 1.
    double valueAtPosition(double position) const override;
};

}  // namespace orvalis
