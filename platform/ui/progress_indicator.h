// Progress as a bar from minValue to maxValue, or, when indeterminate, a busy animation that runs between
// startAnimation and stopAnimation. Main thread only.
#pragma once

#include "platform/ui/view.h"

namespace ui {

enum class ProgressIndicatorStyle { bar = 0, spinning = 1 };

class ProgressIndicator : public View {
public:
    explicit ProgressIndicator(const gfx::Rect& frame = {});
    void awake() override;

    bool isIndeterminate() const { return indeterminate_; }
    void setIndeterminate(bool indeterminate);
    double minValue() const { return min_; }
    void setMinValue(double value);
    double maxValue() const { return max_; }
    void setMaxValue(double value);
    double doubleValue() const { return value_; }
    void setDoubleValue(double value);
    void incrementBy(double delta) { setDoubleValue(value_ + delta); }
    ProgressIndicatorStyle style() const { return style_; }
    void setStyle(ProgressIndicatorStyle style) { style_ = style; }
    bool isDisplayedWhenStopped() const { return displayedWhenStopped_; }
    void setDisplayedWhenStopped(bool displayed);

    virtual void startAnimation(const std::shared_ptr<core::Object>& sender);
    virtual void stopAnimation(const std::shared_ptr<core::Object>& sender);
    bool isAnimating() const { return animating_; }
    // How many times the animation has started: a short one may start and stop between two looks.
    int animationsStarted() const { return animationsStarted_; }

private:
    void refresh();

    bool indeterminate_ = true;
    double min_ = 0;
    double max_ = 100;
    double value_ = 0;
    ProgressIndicatorStyle style_ = ProgressIndicatorStyle::bar;
    bool displayedWhenStopped_ = true;
    bool animating_ = false;
    int animationsStarted_ = 0;
};

}  // namespace ui
