#include "moviekit/volume_popover_controller.h"

#include "moviekit/movie_actions.h"
#include "moviekit/player.h"

namespace orvalis {

const std::shared_ptr<VolumePopoverController>& VolumePopoverController::sharedController()
{
    static const auto* shared = new std::shared_ptr<VolumePopoverController>(core::make<VolumePopoverController>());
    return *shared;
}

VolumePopoverController::VolumePopoverController()
    : PlayerPopoverController("VolumePopoverView", PlayerObserverOptions::userVolume,
                              {"volumeLabel", "volumeSlider", "VolumePopoverController.VolumeFormat",
                               actions::decreaseVolume, actions::increaseVolume, actions::slideVolume})
{
}

void VolumePopoverController::playerUserVolumeDidChange(Player&, float userVolume) { showValue(userVolume); }

void VolumePopoverController::setPlayerValue(Player& player, double volume) { player.setUserVolume(float(volume)); }

}  // namespace orvalis
