#include "appkit/increment_stepper.h"

#include <algorithm>
#include <cmath>

#include "appkit/control_extensions.h"
#include "platform/ui/number_formatter.h"

namespace kestrane {

void IncrementStepper::awake()
{
    Stepper::awake();
    stepperSetup();
}

void IncrementStepper::stepperSetup()
{
    registerCommand(performIncrementAction, &IncrementStepper::performIncrement);
    setTarget(sharedAs<ui::Responder>());
    setAction(performIncrementAction);
    setMinValue(0);
    setDoubleValue(0);
    setIncrement(incrementValue_);
    setMaxValue(incrementValue_);
}

int IncrementStepper::direction() const
{
    // The arrow pressed decides: the stepper's own value wraps round on repeated presses, so where it sits
    // says nothing about the direction. Without any press yet, a value at the maximum means up.
    if (lastStep() != 0) return lastStep();
    return doubleValue() == maxValue() ? 1 : -1;
}

void IncrementStepper::performIncrement(const std::shared_ptr<core::Object>&)
{
    auto control = control_.lock();
    if (!control) return;
    const double scale = std::pow(10.0, double(places_));
    const double rounded = std::round(control->doubleValue() * scale) / scale;
    double value = rounded + direction() * incrementValue_;
    if (auto formatter = control->formatter()) {
        if (auto maximum = formatter->maximum()) value = std::min(*maximum, value);
        if (auto minimum = formatter->minimum()) value = std::max(*minimum, value);
    }
    setDoubleBindingValue(*control, value);
    performAction(control);
}

}  // namespace kestrane
