// A slider over minValue...maxValue (resolving a millionth of the range). A press starts tracking and jumps
// the knob to the pointer, drags continue it and the release stops it; subclasses hear each step through
// startTracking, continueTracking and stopTracking. A continuous slider sends its action at each step, every
// slider once more after the release. Main thread only.
#pragma once

#include "platform/ui/control.h"

namespace ui {

class Slider : public Control {
public:
    static constexpr int resolution = 1000000;

    explicit Slider(const gfx::Rect& frame = {});
    void awake() override;

    double minValue() const { return min_; }
    void setMinValue(double value);
    double maxValue() const { return max_; }
    void setMaxValue(double value);
    bool isVertical() const;

    // Points are in the slider's own space. Returning false from start or continue ends the tracking early.
    virtual bool startTracking(const gfx::Point& at) { return true; }
    virtual bool continueTracking(const gfx::Point& last, const gfx::Point& current) { return true; }
    virtual void stopTracking(const gfx::Point& last, const gfx::Point& current, bool mouseIsUp) {}

    // For the ui layer: the pointer went down, moved with the button held, or came up at `at`.
    void trackPress(const gfx::Point& at, double value);
    void trackDrag(const gfx::Point& at, double value);
    void trackRelease(const gfx::Point& at, double value);

protected:
    void valueDidChange() override;

private:
    void moveTo(double value, bool sendsAction);

    double min_ = 0;
    double max_ = 1;
    bool tracking_ = false;
    gfx::Point last_;
};

}  // namespace ui
