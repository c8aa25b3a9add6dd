// The tracking slider reports the phase of a drag to its action handler and counts ended drags.
#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "appkit/tracking_slider.h"
#include "platform/ui/detail/qt_control.h"

namespace {

constexpr ui::ActionName seekAction{"seek:"};

using State = kestrane::TrackingSlider::TrackingState;

void mouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TEST(TrackingSlider, ReportsThePhasesAndCountsDrags)
{
    auto slider = core::make<kestrane::TrackingSlider>(gfx::Rect{0, 0, 200, 20});
    EXPECT_EQ(slider->trackingState(), State::didStop);
    EXPECT_EQ(slider->trackingCount(), 0);
    slider->setMinValue(0);
    slider->setMaxValue(1);
    auto target = core::make<ui::Responder>();
    std::vector<State> seen;
    target->registerAction(seekAction,
                           [&](const std::shared_ptr<core::Object>&) { seen.push_back(slider->trackingState()); });
    slider->setTarget(target);
    slider->setAction(seekAction);

    QWidget* widget = ui::controlWidget(*slider);
    mouse(widget, QEvent::MouseButtonPress, {20, 10}, Qt::LeftButton);
    mouse(widget, QEvent::MouseMove, {80, 10}, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, {80, 10}, Qt::NoButton);
    EXPECT_EQ(seen, (std::vector<State>{State::willStart, State::continuing, State::didStop}));
    EXPECT_EQ(slider->trackingCount(), 1);

    // A click without a drag; a count set from outside goes on from there.
    slider->setTrackingCount(10);
    seen.clear();
    mouse(widget, QEvent::MouseButtonPress, {50, 10}, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, {50, 10}, Qt::NoButton);
    EXPECT_EQ(seen, (std::vector<State>{State::willStart, State::didStop}));
    EXPECT_EQ(slider->trackingCount(), 11);
    EXPECT_EQ(slider->trackingState(), State::didStop);
}

}  // namespace
