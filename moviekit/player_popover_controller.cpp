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

double steppedDown(const ui::Slider& slider)
{
    const double value = slider.doubleValue() - step;
    return value <= slider.minValue() ? slider.minValue() : value;
}

double steppedUp(const ui::Slider& slider)
{
    const double value = slider.doubleValue() + step;
    return slider.maxValue() < value ? slider.maxValue() : value;
}

}  // namespace

PlayerPopoverController::PlayerPopoverController(std::string nibName, PlayerObserverOptions options, ValueNames names)
    : PopoverController(std::move(nibName)), options_(options), names_(std::move(names))
{
}

void PlayerPopoverController::awake()
{
    PopoverController::awake();
    registerInterfaceFile(nibName());
    kestrane::forceLoadIfNeeded(*this);
    registerAction(names_.decrease, [this](const auto&) { changeValue(Change::stepDown); });
    registerAction(names_.increase, [this](const auto&) { changeValue(Change::stepUp); });
    registerAction(names_.slide, [this](const auto&) { changeValue(Change::slide); });
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

void PlayerPopoverController::popoverWillClose(ui::Popover&) { setMovie(nullptr); }

void PlayerPopoverController::setOutlet(const std::string& name, const std::shared_ptr<ui::View>& view)
{
    if (name == names_.label) label_ = std::dynamic_pointer_cast<ui::TextField>(view);
    if (name == names_.slider) slider_ = std::dynamic_pointer_cast<ui::Slider>(view);
}

void PlayerPopoverController::showValue(float value)
{
    if (auto field = label_.lock()) field->setStringValue(OrvalisKit::local(names_.format, 100.0 * double(value)));
    if (auto control = slider_.lock()) control->setDoubleValue(value);
}

void PlayerPopoverController::changeValue(Change change)
{
    core::assertMainThread();
    const auto slider = slider_.lock();
    const auto movie = this->movie();
    if (!slider || !movie) return;
    switch (change) {
    case Change::stepDown:
        return setPlayerValue(*movie->player(), steppedDown(*slider));
    case Change::stepUp:
        return setPlayerValue(*movie->player(), steppedUp(*slider));
    case Change::slide:
        return setPlayerValue(*movie->player(), valueAtPosition(slider->doubleValue()));
    }
}

}  // namespace orvalis
