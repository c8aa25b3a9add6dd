#include "platform/ui/progress_indicator.h"

#include <QProgressBar>

#include <algorithm>
#include <cmath>

#include "platform/ui/detail/qt_view.h"

namespace ui {

ProgressIndicator::ProgressIndicator(const gfx::Rect& frame) : View(frame) {}

void ProgressIndicator::awake()
{
    View::awake();
    auto* bar = new QProgressBar;
    bar->setTextVisible(false);
    static_cast<HostWidget*>(widgetOf(*this))->setFill(bar);
    refresh();
}

void ProgressIndicator::setIndeterminate(bool indeterminate)
{
    indeterminate_ = indeterminate;
    refresh();
}

void ProgressIndicator::setMinValue(double value)
{
    min_ = value;
    refresh();
}

void ProgressIndicator::setMaxValue(double value)
{
    max_ = value;
    refresh();
}

void ProgressIndicator::setDoubleValue(double value)
{
    value_ = value;
    refresh();
}

void ProgressIndicator::setDisplayedWhenStopped(bool displayed)
{
    displayedWhenStopped_ = displayed;
    refresh();
}

void ProgressIndicator::startAnimation(const std::shared_ptr<core::Object>&)
{
    animating_ = true;
    ++animationsStarted_;
    refresh();
}

void ProgressIndicator::stopAnimation(const std::shared_ptr<core::Object>&)
{
    animating_ = false;
    refresh();
}

void ProgressIndicator::refresh()
{
    auto* host = static_cast<HostWidget*>(widgetOf(*this));
    auto* bar = host ? qobject_cast<QProgressBar*>(host->fill()) : nullptr;
    if (!bar) return;
    bar->setVisible(animating_ || displayedWhenStopped_ || !indeterminate_);
    if (indeterminate_) {
        // A range of 0...0 is Qt's busy bar; stopped, it rests empty.
        bar->setRange(0, animating_ ? 0 : 1);
        bar->setValue(0);
        return;
    }
    bar->setRange(0, 1000);
    const double range = max_ - min_;
    const double fraction = range > 0 ? std::clamp((value_ - min_) / range, 0.0, 1.0) : 0;
    bar->setValue(int(std::lround(fraction * 1000)));
}

}  // namespace ui
