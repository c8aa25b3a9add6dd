#include "moviekit/rate_popover_controller.h"

#include "moviekit/movie_actions.h"
#include "moviekit/player.h"
#include "numerics/real_number.h"

namespace orvalis {

const std::shared_ptr<RatePopoverController>& RatePopoverController::sharedController()
{
    static const auto* shared = new std::shared_ptr<RatePopoverController>(core::make<RatePopoverController>());
    return *shared;
}

RatePopoverController::RatePopoverController()
    : PlayerPopoverController("RatePopoverView", PlayerObserverOptions::userRate,
                              {"rateLabel", "rateSlider", "RatePopoverController.RateFormat", actions::decreaseRate,
                               actions::increaseRate, actions::slideRate})
{
}

void RatePopoverController::playerUserRateDidChange(Player&, float userRate) { showValue(userRate); }

void RatePopoverController::setPlayerValue(Player& player, double rate) { player.setUserRate(float(rate)); }

double RatePopoverController::valueAtPosition(double position) const { return kestrane::glue(position, 1.0, 0.05); }

}  // namespace orvalis
