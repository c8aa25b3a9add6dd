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

    // Laid out by the kit's interface file "VolumePopoverView", with the outlets "volumeLabel" and
    // "volumeSlider" and the actions "decreaseVolume:", "increaseVolume:" and "slideVolume:".
    VolumePopoverController();

    // The label shows "VolumePopoverController.VolumeFormat" of 100 × the volume; the slider the volume.
    void playerUserVolumeDidChange(Player& player, float userVolume) override;

private:
    void setPlayerValue(Player& player, double volume) override;
};

}  // namespace orvalis
