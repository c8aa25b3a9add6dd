#include "app/document/generate_popover_controller.h"

#include <algorithm>

#include "app/document/generate_popover_actions.h"
#include "appkit/control_extensions.h"
#include "appkit/controller_extensions.h"
#include "appkit/window_extensions.h"
#include "foundation/time_values.h"
#include "moviekit/player.h"
#include "platform/core/print.h"
#include "platform/ui/application.h"
#include "platform/ui/popover.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"

namespace vistrel {

namespace {

// A check box's state; the mixed state is a fault of the interface.
bool isChecked(const ui::Button& button)
{
    const auto state = kestrane::boolState(button);
    if (!state) core::fatalError("A check box of the generator popover is in the mixed state");
    return *state;
}

bool isChecked(const std::shared_ptr<core::Object>& sender)
{
    auto button = std::dynamic_pointer_cast<ui::Button>(sender);
    return button && isChecked(*button);
}

}  // namespace

std::shared_ptr<GeneratePopoverController> GeneratePopoverController::create()
{
    auto controller = core::make<GeneratePopoverController>();
    kestrane::forceLoadIfNeeded(*controller);
    return controller;
}

GeneratePopoverController::GeneratePopoverController(std::string nibName) : PopoverController(std::move(nibName)) {}

void GeneratePopoverController::awake()
{
    PopoverController::awake();
    registerCommand(actions::changeStart, &GeneratePopoverController::changeStart);
    registerCommand(actions::changeEnd, &GeneratePopoverController::changeEnd);
    registerCommand(actions::changeIncludeStart, &GeneratePopoverController::changeIncludeStart);
    registerCommand(actions::changeIncludeEnd, &GeneratePopoverController::changeIncludeEnd);
    registerCommand(actions::changeFrames, &GeneratePopoverController::changeFrames);
    registerCommand(actions::resetTimes, &GeneratePopoverController::resetTimes);
    registerCommand(actions::generateSnaps, &GeneratePopoverController::generateSnaps);
}

void GeneratePopoverController::viewDidLoad()
{
    PopoverController::viewDidLoad();
    if (const auto field = outlets_.framesTextField.lock()) changeFrames(field);
}

std::shared_ptr<ui::Popover> GeneratePopoverController::createPopover(const std::shared_ptr<ui::View>& view)
{
    auto made = PopoverController::createPopover(view);
    made->setBehavior(ui::PopoverBehavior::applicationDefined);
    if (const auto box = outlets_.includeStartButton.lock()) splitter_.includeStart = isChecked(*box);
    if (const auto box = outlets_.includeEndButton.lock()) splitter_.includeEnd = isChecked(*box);
    return made;
}

void GeneratePopoverController::showPopoverAtTop(const std::shared_ptr<ui::View>& view)
{
    if (!popoverIsShown() && movie_) updateFields();
    PopoverController::showPopoverAtTop(view);
}

void GeneratePopoverController::setMovie(const std::shared_ptr<orvalis::Movie>& movie)
{
    movie_ = movie;
    updateFields();
}

std::shared_ptr<orvalis::Player> GeneratePopoverController::player() const
{
    return movie_ ? movie_->player() : nullptr;
}

void GeneratePopoverController::updateFields()
{
    setTimeRange(movie_ ? player()->clipRange() : media::TimeRange::zero());
}

void GeneratePopoverController::setTimeRange(const media::TimeRange& range)
{
    splitter_.timeRange = range;
    splitter_.setSplitCount(frameCount_);
    if (const auto field = outlets_.startTextField.lock()) field->setStringValue(kestrane::hhmmssmsDesc(range.start));
    if (const auto field = outlets_.endTextField.lock()) field->setStringValue(kestrane::hhmmssmsDesc(range.end()));
}

void GeneratePopoverController::changeStart(const std::shared_ptr<core::Object>&)
{
    if (!movie_) return;
    const media::Time t = player()->currentTime();
    const media::Time end = splitter_.timeRange.end();
    if (media::compare(t, end) >= 0) {
        ui::beep();
        return;
    }
    setTimeRange(media::TimeRange::fromTo(t, end));
}

void GeneratePopoverController::changeEnd(const std::shared_ptr<core::Object>&)
{
    if (!movie_) return;
    const media::Time t = player()->currentTime();
    const media::Time start = splitter_.timeRange.start;
    if (media::compare(start, t) >= 0) {
        ui::beep();
        return;
    }
    setTimeRange(media::TimeRange::fromTo(start, t));
}

void GeneratePopoverController::changeIncludeStart(const std::shared_ptr<core::Object>& sender)
{
    if (movie_) splitter_.includeStart = isChecked(sender);
}

void GeneratePopoverController::changeIncludeEnd(const std::shared_ptr<core::Object>& sender)
{
    if (movie_) splitter_.includeEnd = isChecked(sender);
}

void GeneratePopoverController::changeFrames(const std::shared_ptr<core::Object>& sender)
{
    auto field = std::dynamic_pointer_cast<ui::Control>(sender);
    if (!field) return;
    const std::int64_t count = std::clamp<std::int64_t>(field->integerValue(), 0, maximumFrames);
    if (field->integerValue() != count) field->setIntegerValue(long(count));
    frameCount_ = count;
    splitter_.setSplitCount(frameCount_);
}

void GeneratePopoverController::resetTimes(const std::shared_ptr<core::Object>&)
{
    if (movie_) updateFields();
}

void GeneratePopoverController::generateSnaps(const std::shared_ptr<core::Object>&)
{
    if (auto window = view()->window()) kestrane::forceEndEditing(*window);
    auto receiver = target();
    if (action_.empty() || !receiver) return;
    ui::Application::shared()->sendAction(action_, receiver, sharedAs<GeneratePopoverController>());
}

}  // namespace vistrel
