#include "platform/ui/slider.h"

#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <cmath>

#include "platform/ui/detail/qt_control.h"

namespace ui {

namespace {

// A QSlider whose pointer handling is the control's: presses jump, and each step is told to the control.
class TrackingSlider : public QSlider {
public:
    explicit TrackingSlider(Slider& control) : control_(control) {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) return;
        control_.trackPress(pointOf(event), valueAt(event));
        event->accept();
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (event->buttons() & Qt::LeftButton) control_.trackDrag(pointOf(event), valueAt(event));
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton) control_.trackRelease(pointOf(event), valueAt(event));
        event->accept();
    }

private:
    gfx::Point pointOf(QMouseEvent* event) const
    {
        return viewPointFromWidget(control_, event->position().x(), event->position().y());
    }

    // The value under the pointer, the knob's middle following it.
    double valueAt(QMouseEvent* event) const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
        const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        double fraction;
        if (orientation() == Qt::Horizontal) {
            const double span = std::max(1, groove.width() - handle.width());
            fraction = (event->position().x() - groove.x() - handle.width() / 2.0) / span;
        } else {
            const double span = std::max(1, groove.height() - handle.height());
            fraction = 1 - (event->position().y() - groove.y() - handle.height() / 2.0) / span;
        }
        fraction = std::clamp(fraction, 0.0, 1.0);
        return control_.minValue() + fraction * (control_.maxValue() - control_.minValue());
    }

    Slider& control_;
};

}  // namespace

Slider::Slider(const gfx::Rect& frame) : Control(frame) {}

void Slider::awake()
{
    Control::awake();
    setContinuous(true);
    auto* slider = new TrackingSlider(*this);
    slider->setRange(0, resolution);
    slider->setOrientation(isVertical() ? Qt::Vertical : Qt::Horizontal);
    setControlWidget(*this, slider);
    setDoubleValue(0);
}

void Slider::setMinValue(double value)
{
    min_ = value;
    valueDidChange();
}

void Slider::setMaxValue(double value)
{
    max_ = value;
    valueDidChange();
}

bool Slider::isVertical() const
{
    const gfx::Rect f = frame().standardized();
    return f.height() > f.width();
}

void Slider::moveTo(double value, bool sendsAction)
{
    const double lo = std::min(min_, max_), hi = std::max(min_, max_);
    setDoubleValue(std::clamp(value, lo, hi));
    userChangedValue(doubleValue(), sendsAction);
}

void Slider::trackPress(const gfx::Point& at, double value)
{
    if (!isEnabled()) return;
    tracking_ = startTracking(at);
    last_ = at;
    moveTo(value, isContinuous());
    if (!tracking_) trackRelease(at, value);
}

void Slider::trackDrag(const gfx::Point& at, double value)
{
    if (!tracking_) return;
    const gfx::Point last = last_;
    last_ = at;
    if (!continueTracking(last, at)) {
        trackRelease(at, value);
        return;
    }
    moveTo(value, isContinuous());
}

void Slider::trackRelease(const gfx::Point& at, double value)
{
    tracking_ = false;
    const gfx::Point last = last_;
    last_ = at;
    setDoubleValue(std::clamp(value, std::min(min_, max_), std::max(min_, max_)));
    stopTracking(last, at, true);
    userChangedValue(doubleValue(), true);
}

void Slider::valueDidChange()
{
    auto* slider = qobject_cast<QSlider*>(controlWidget(*this));
    if (!slider) return;
    const double range = max_ - min_;
    const double fraction = range != 0 ? (doubleValue() - min_) / range : 0;
    const int position = int(std::lround(std::clamp(fraction, 0.0, 1.0) * resolution));
    const QSignalBlocker quiet(slider);
    slider->setValue(position);
}

}  // namespace ui
