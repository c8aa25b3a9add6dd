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

    // Laid out by the kit's interface file "RatePopoverView".
    RatePopoverController();
    // Registers the actions decreaseRate, increaseRate and slideRate (movie_actions.h).
    void awake() override;

    // "rateLabel" and "rateSlider".
    void setOutlet(const std::string& name, const std::shared_ptr<ui::View>& view) override;
    // The label shows "RatePopoverController.RateFormat" of 100 × the rate; the slider shows the rate.
    void playerUserRateDidChange(Player& player, float userRate) override;

  private:
    void setUserRate(double rate);
    void decreaseRate();
    void increaseRate();
    void slideRate();

    std::weak_ptr<ui::TextField> rateLabel_;
    std::weak_ptr<ui::Slider> rateSlider_;
};

} // namespace orvalis
