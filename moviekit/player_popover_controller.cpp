#include "moviekit/player_popover_controller.h"

#include "appkit/controller_extensions.h"
#include "foundation/kvo_dispatcher.h"
#include "moviekit/orvalis_kit.h"
#include "moviekit/player.h"
#include "platform/core/main_thread.h"

namespace orvalis {

namespace {

// The step of the step buttons.
constexpr double step = 0.2;

} // namespace

PlayerPopoverController::PlayerPopoverController(std::string nibName, PlayerObserverOptions options)
    : PopoverController(std::move(nibName)), options_(options)
{
}

void PlayerPopoverController::awake()
{
    PopoverController::awake();
    registerInterfaceFile(nibName());
    kestrane::forceLoadIfNeeded(*this);
}

PlayerPopoverController::~PlayerPopoverController()
{
    if (auto player = observedPlayer_.lock()) player->removeObserver(*this);
}

void PlayerPopoverController::setMovie(const MovieRef& movie)
{
    core::assertMainThread();
    stopObserving();
    movie_ = movie;
    if (!movie) return;
    auto player = movie->player();
    observedPlayer_ = player;
    observing_ = true;
    player->addObserver(*this);
}

void PlayerPopoverController::stopObserving()
{
    if (auto player = observedPlayer_.lock())
        player->removeObserver(*this);
    else if (observing_)
        // The movie went away with its player while shown here: its observations can no longer be named.
        kestrane::KVO().removeObserversOfGoneObjects(this);
    observedPlayer_.reset();
    observing_ = false;
}

void PlayerPopoverController::popoverWillClose(ui::Popover&)
{
    setMovie(nullptr);
}

void PlayerPopoverController::showValue(const std::weak_ptr<ui::TextField>& label,
                                        const std::string& formatKey, const std::weak_ptr<ui::Slider>& slider,
                                        float value)
{
    if (auto field = label.lock()) field->setStringValue(OrvalisKit::local(formatKey, 100.0 * double(value)));
    if (auto control = slider.lock()) control->setDoubleValue(value);
}

double PlayerPopoverController::steppedDown(const ui::Slider& slider)
{
    const double value = slider.doubleValue() - step;
    return value <= slider.minValue() ? slider.minValue() : value;
}

double PlayerPopoverController::steppedUp(const ui::Slider& slider)
{
    const double value = slider.doubleValue() + step;
    return slider.maxValue() < value ? slider.maxValue() : value;
}

} // namespace orvalis
