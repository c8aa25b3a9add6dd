#include "moviekit/volume_popover_controller.h"

#include "moviekit/movie_actions.h"
#include "moviekit/player.h"

namespace orvalis {

const std::shared_ptr<VolumePopoverController>& VolumePopoverController::sharedController()
{
    static const auto* shared =
        new std::shared_ptr<VolumePopoverController>(core::make<VolumePopoverController>());
    return *shared;
}

VolumePopoverController::VolumePopoverController()
    : PlayerPopoverController("VolumePopoverView", PlayerObserverOptions::userVolume)
{
}

void VolumePopoverController::awake()
{
    PlayerPopoverController::awake();
    registerCommand(actions::decreaseVolume, &VolumePopoverController::decreaseVolume);
    registerCommand(actions::increaseVolume, &VolumePopoverController::increaseVolume);
    registerCommand(actions::slideVolume, &VolumePopoverController::slideVolume);
}

void VolumePopoverController::setOutlet(const std::string& name, const std::shared_ptr<ui::View>& view)
{
    if (name == "volumeLabel") volumeLabel_ = std::dynamic_pointer_cast<ui::TextField>(view);
    if (name == "volumeSlider") volumeSlider_ = std::dynamic_pointer_cast<ui::Slider>(view);
}

void VolumePopoverController::playerUserVolumeDidChange(Player&, float userVolume)
{
    showValue(volumeLabel_, "VolumePopoverController.VolumeFormat", volumeSlider_, userVolume);
}

void VolumePopoverController::setUserVolume(double volume)
{
    if (auto movie = this->movie()) movie->player()->setUserVolume(float(volume));
}

void VolumePopoverController::decreaseVolume()
{
    if (auto slider = volumeSlider_.lock(); slider && movie()) setUserVolume(steppedDown(*slider));
}

void VolumePopoverController::increaseVolume()
{
    if (auto slider = volumeSlider_.lock(); slider && movie()) setUserVolume(steppedUp(*slider));
}

void VolumePopoverController::slideVolume()
{
    if (auto slider = volumeSlider_.lock(); slider && movie()) setUserVolume(slider->doubleValue());
}

} // namespace orvalis
