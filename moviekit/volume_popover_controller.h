// The volume popover shared by every movie panel: a label and a slider showing the volume of the player of
// the panel's movie, a slider that sets it and two buttons that step it by 0.2 within the slider's range.
// Main thread only.
#pragma once

#include "moviekit/player_popover_controller.h"

namespace orvalis {

class VolumePopoverController : public PlayerPopoverController {
  public:
    // The one every panel uses, made on first use and never released.
    static const std::shared_ptr<VolumePopoverController>& sharedController();

    // Laid out by the kit's interface file "VolumePopoverView".
    VolumePopoverController();
    // Registers the actions decreaseVolume, increaseVolume and slideVolume (movie_actions.h).
    void awake() override;

    // "volumeLabel" and "volumeSlider".
    void setOutlet(const std::string& name, const std::shared_ptr<ui::View>& view) override;
    // The label shows "VolumePopoverController.VolumeFormat" of 100 × the volume; the slider the volume.
    void playerUserVolumeDidChange(Player& player, float userVolume) override;

  private:
    void setUserVolume(double volume);
    void decreaseVolume();
    void increaseVolume();
    void slideVolume();

    std::weak_ptr<ui::TextField> volumeLabel_;
    std::weak_ptr<ui::Slider> volumeSlider_;
};

} // namespace orvalis
