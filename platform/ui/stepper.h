// Two arrows that step a value by `increment` within minValue...maxValue, wrapping round when valueWraps;
// each press sends the action. lastStep() tells whether the press was on the up arrow (+1) or the down one
// (−1), whatever became of the value. Main thread only.
#pragma once

#include "platform/ui/control.h"

namespace ui {

class Stepper : public Control {
public:
    explicit Stepper(const gfx::Rect& frame = {});
    void awake() override;

    double minValue() const { return min_; }
    void setMinValue(double value) { min_ = value; }
    double maxValue() const { return max_; }
    void setMaxValue(double value) { max_ = value; }
    double increment() const { return increment_; }
    void setIncrement(double value) { increment_ = value; }
    bool valueWraps() const { return wraps_; }
    void setValueWraps(bool wraps) { wraps_ = wraps; }
    // +1 after a press of the up arrow, −1 after one of the down arrow, 0 before any.
    int lastStep() const { return lastStep_; }

    // Steps up (+1) or down (−1) as a press of that arrow does, and sends the action.
    void step(int direction);

private:
    double min_ = 0;
    double max_ = 59;
    double increment_ = 1;
    bool wraps_ = true;
    int lastStep_ = 0;
};

}  // namespace ui
