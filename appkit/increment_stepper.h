// A stepper that steps the numeric value of another control by incrementValue, after rounding it to `places`
// decimals, keeps it within that control's number formatter, and writes it through the control's value
// binding. Main thread only.
#pragma once

#include <memory>

#include "platform/ui/stepper.h"

namespace kestrane {

class IncrementStepper : public ui::Stepper {
public:
    using Stepper::Stepper;
    void awake() override;

    // Not retained.
    std::shared_ptr<ui::Control> control() const { return control_.lock(); }
    void setControl(const std::shared_ptr<ui::Control>& control) { control_ = control; }
    long places() const { return places_; }
    void setPlaces(long places) { places_ = places; }
    double incrementValue() const { return incrementValue_; }
    void setIncrementValue(double value) { incrementValue_ = value; }

    // The stepper's action: steps the control up or down as the arrow pressed says, then makes the control
    // send its own action. Nothing once the control is gone.
    static constexpr ui::ActionName performIncrementAction{"performIncrement:"};
    void performIncrement(const std::shared_ptr<core::Object>& sender);

private:
    void stepperSetup();
    // +1 to step up, −1 to step down.
    int direction() const;

    std::weak_ptr<ui::Control> control_;
    long places_ = 2;
    double incrementValue_ = 0.1;
};

}  // namespace kestrane
