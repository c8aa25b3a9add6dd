#include "moviekit/rate_popover_controller.h"

#include "moviekit/movie_actions.h"
#include "moviekit/player.h"
#include "numerics/real_number.h"

namespace orvalis {

const std::shared_ptr<RatePopoverController>& RatePopoverController::sharedController()
{
    static const auto* shared =
        new std::shared_ptr<RatePopoverController>(core::make<RatePopoverController>());
    return *shared;
}

RatePopoverController::RatePopoverController()
    : PlayerPopoverController("RatePopoverView", PlayerObserverOptions::userRate)
{
}

void RatePopoverController::awake()
{
    PlayerPopoverController::awake();
    registerCommand(actions::decreaseRate, &RatePopoverController::decreaseRate);
    registerCommand(actions::increaseRate, &RatePopoverController::increaseRate);
    registerCommand(actions::slideRate, &RatePopoverController::slideRate);
}

void RatePopoverController::setOutlet(const std::string& name, const std::shared_ptr<ui::View>& view)
{
    if (name == "rateLabel") rateLabel_ = std::dynamic_pointer_cast<ui::TextField>(view);
    if (name == "rateSlider") rateSlider_ = std::dynamic_pointer_cast<ui::Slider>(view);
}

void RatePopoverController::playerUserRateDidChange(Player&, float userRate)
{
    showValue(rateLabel_, "RatePopoverController.RateFormat", rateSlider_, userRate);
}

void RatePopoverController::setUserRate(double rate)
{
    if (auto movie = this->movie()) movie->player()->setUserRate(float(rate));
}

void RatePopoverController::decreaseRate()
{
    if (auto slider = rateSlider_.lock(); slider && movie()) setUserRate(steppedDown(*slider));
}

void RatePopoverController::increaseRate()
{
    if (auto slider = rateSlider_.lock(); slider && movie()) setUserRate(steppedUp(*slider));
}

void RatePopoverController::slideRate()
{
    if (auto slider = rateSlider_.lock(); slider && movie())
        setUserRate(kestrane::glue(slider->doubleValue(), 1.0, 0.05));
}

} // namespace orvalis
