// Controls: tracking through a slider's drag, button states, text fields with number formatters, steppers,
// pop-up buttons, segments, radio groups, progress, and values kept in step with a bound model.
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>

#include <gtest/gtest.h>

#include "platform/ui/button.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/number_formatter.h"
#include "platform/ui/pop_up_button.h"
#include "platform/ui/progress_indicator.h"
#include "platform/ui/radio_group.h"
#include "platform/ui/segmented_control.h"
#include "platform/ui/slider.h"
#include "platform/ui/stepper.h"
#include "platform/ui/text_field.h"
#include "platform/ui/window.h"

namespace {

constexpr ui::ActionName changed{"changed:"};

// Counts the actions a control sends, with the phase the handler sees.
struct Target {
    std::shared_ptr<ui::Responder> responder = core::make<ui::Responder>();
    std::vector<std::string> seen;

    void listen(
        ui::Control& control, std::function<std::string()> describe = [] { return std::string("action"); })
    {
        control.setTarget(responder);
        control.setAction(changed);
        responder->registerAction(
            changed, [this, describe](const std::shared_ptr<core::Object>&) { seen.push_back(describe()); });
    }
};

class PhaseSlider : public ui::Slider {
public:
    using Slider::Slider;
    std::string phase = "didStop";
    int count = 0;
    bool startTracking(const gfx::Point& at) override
    {
        phase = "willStart";
        return Slider::startTracking(at);
    }
    bool continueTracking(const gfx::Point& last, const gfx::Point& current) override
    {
        phase = "continue";
        return Slider::continueTracking(last, current);
    }
    void stopTracking(const gfx::Point& last, const gfx::Point& current, bool up) override
    {
        Slider::stopTracking(last, current, up);
        phase = "didStop";
        ++count;
    }
};

void mouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TEST(Slider, ReportsStartContinueAndStopToTheActionHandler)
{
    auto window = ui::Window::create({0, 0, 300, 50}, ui::StyleMask::titled);
    auto slider = core::make<PhaseSlider>(gfx::Rect{0, 0, 200, 20});
    window->contentView()->addSubview(slider);
    Target target;
    target.listen(*slider, [&] { return slider->phase; });
    QWidget* widget = ui::controlWidget(*slider);
    ASSERT_TRUE(widget);

    mouse(widget, QEvent::MouseButtonPress, {100, 10}, Qt::LeftButton);
    const double pressed = slider->doubleValue();
    EXPECT_GT(pressed, 0.3);  // a press on the groove jumps there
    EXPECT_LT(pressed, 0.7);
    mouse(widget, QEvent::MouseMove, {150, 10}, Qt::LeftButton);
    mouse(widget, QEvent::MouseMove, {199, 10}, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, {199, 10}, Qt::NoButton);
    EXPECT_EQ(target.seen, (std::vector<std::string>{"willStart", "continue", "continue", "didStop"}));
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 1.0);
    EXPECT_EQ(slider->count, 1);

    // A click without a drag: start, then stop.
    target.seen.clear();
    mouse(widget, QEvent::MouseButtonPress, {0, 10}, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, {0, 10}, Qt::NoButton);
    EXPECT_EQ(target.seen, (std::vector<std::string>{"willStart", "didStop"}));
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 0.0);
    EXPECT_EQ(slider->count, 2);
}

TEST(Slider, MapsItsRangeAndSendsOnlyAtTheEndWhenNotContinuous)
{
    auto slider = core::make<ui::Slider>(gfx::Rect{0, 0, 200, 20});
    slider->setMinValue(10);
    slider->setMaxValue(20);
    slider->setDoubleValue(12.5);
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 12.5);
    slider->setContinuous(false);
    Target target;
    target.listen(*slider);
    QWidget* widget = ui::controlWidget(*slider);
    mouse(widget, QEvent::MouseButtonPress, {50, 10}, Qt::LeftButton);
    mouse(widget, QEvent::MouseMove, {60, 10}, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, {60, 10}, Qt::NoButton);
    EXPECT_EQ(target.seen.size(), 1u);
    EXPECT_GE(slider->doubleValue(), 10);
    EXPECT_LE(slider->doubleValue(), 20);
}

TEST(Slider, KeepsEveryValueFromTheLayerWithinItsRange)
{
    auto slider = core::make<ui::Slider>(gfx::Rect{0, 0, 200, 20});
    slider->setMinValue(10);
    slider->setMaxValue(20);
    slider->trackPress({0, 0}, 25);
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 20);
    slider->trackDrag({0, 0}, -5);
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 10);
    slider->trackRelease({0, 0}, 1e9);
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 20);
    // A range given backwards holds the same values.
    slider->setMinValue(20);
    slider->setMaxValue(10);
    slider->trackPress({0, 0}, 5);
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 10);
    slider->trackRelease({0, 0}, 30);
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 20);

    // A value set outside the range puts the knob at the end, not past it.
    slider->setMinValue(0);
    slider->setMaxValue(1);
    auto* widget = qobject_cast<QSlider*>(ui::controlWidget(*slider));
    ASSERT_TRUE(widget);
    for (const double above : {7.0, 1e300}) {
        slider->setDoubleValue(above);
        EXPECT_EQ(widget->value(), ui::Slider::resolution) << above;
    }
    slider->setDoubleValue(-7);
    EXPECT_EQ(widget->value(), 0);
}

TEST(Button, SwitchesCycleTheirStateAndSendTheAction)
{
    auto box = core::make<ui::Button>(gfx::Rect{0, 0, 100, 20});
    box->setButtonType(ui::ButtonType::switchButton);
    Target target;
    target.listen(*box);
    EXPECT_EQ(box->state(), ui::ControlState::off);
    box->performClick(nullptr);
    EXPECT_EQ(box->state(), ui::ControlState::on);
    box->setAllowsMixedState(true);
    box->performClick(nullptr);
    EXPECT_EQ(box->state(), ui::ControlState::off);
    box->performClick(nullptr);
    EXPECT_EQ(box->state(), ui::ControlState::mixed);
    box->performClick(nullptr);
    EXPECT_EQ(box->state(), ui::ControlState::on);
    EXPECT_EQ(target.seen.size(), 4u);

    box->setEnabled(false);
    box->performClick(nullptr);
    EXPECT_EQ(target.seen.size(), 4u);
}

TEST(Button, AMouseDownMaskSendsOnThePress)
{
    auto button = core::make<ui::Button>(gfx::Rect{0, 0, 100, 20});
    Target target;
    target.listen(*button);
    button->sendActionOn(ui::eventMaskFor(ui::EventType::leftMouseDown));
    QWidget* widget = ui::controlWidget(*button);
    mouse(widget, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    EXPECT_EQ(target.seen.size(), 1u);
    mouse(widget, QEvent::MouseButtonRelease, {10, 10}, Qt::NoButton);
    EXPECT_EQ(target.seen.size(), 1u);
    EXPECT_EQ(button->state(), ui::ControlState::off);  // a momentary button keeps no state
}

TEST(TextField, ANumberFormatterLimitsWhatEditingAccepts)
{
    auto field = core::make<ui::TextField>(gfx::Rect{0, 0, 100, 20});
    auto formatter = core::make<ui::NumberFormatter>();
    formatter->setMinimum(0);
    formatter->setMaximum(10);
    field->setFormatter(formatter);
    field->setDoubleValue(2.5);
    EXPECT_EQ(field->stringValue(), "2.5");
    Target target;
    target.listen(*field);
    auto* edit = qobject_cast<QLineEdit*>(ui::controlWidget(*field));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text(), "2.5");
    edit->setText("7.25");
    field->commitEditing();
    EXPECT_DOUBLE_EQ(field->doubleValue(), 7.25);
    edit->setText("11");
    field->commitEditing();
    EXPECT_DOUBLE_EQ(field->doubleValue(), 7.25);
    EXPECT_EQ(edit->text(), "7.25");
    edit->setText("seven");
    field->commitEditing();
    EXPECT_DOUBLE_EQ(field->doubleValue(), 7.25);
    EXPECT_EQ(target.seen.size(), 1u);
}

TEST(NumberFormatter, FormatsAndReadsNumbers)
{
    ui::NumberFormatter formatter;
    EXPECT_EQ(formatter.stringFromNumber(1.0), "1");
    EXPECT_EQ(formatter.stringFromNumber(0.125), "0.125");
    EXPECT_EQ(formatter.stringFromNumber(-0.0001), "0");
    formatter.setAllowsFloats(false);
    EXPECT_EQ(formatter.stringFromNumber(2.6), "3");
    EXPECT_EQ(formatter.numberFromString(" 42 "), 42.0);
    EXPECT_EQ(formatter.numberFromString("4.2"), std::nullopt);
    EXPECT_EQ(formatter.numberFromString(""), std::nullopt);
    EXPECT_EQ(formatter.numberFromString("1e999"), std::nullopt);
    formatter.setMaximum(5);
    EXPECT_DOUBLE_EQ(formatter.clamp(9), 5);
}

TEST(TextField, LabelsAreNotEditable)
{
    auto label = ui::TextField::labelWithFrame({0, 0, 100, 20});
    EXPECT_FALSE(label->isEditable());
    EXPECT_FALSE(label->isSelectable());
    EXPECT_FALSE(label->isBezeled());
    EXPECT_FALSE(label->drawsBackground());
    label->setStringValue("Hello");
    EXPECT_EQ(label->stringValue(), "Hello");
}

TEST(Stepper, StepsWithinItsRangeAndTellsTheDirectionOfThePress)
{
    auto stepper = core::make<ui::Stepper>(gfx::Rect{0, 0, 20, 30});
    stepper->setMinValue(0);
    stepper->setMaxValue(0.1);
    stepper->setIncrement(0.1);
    stepper->setValueWraps(true);
    Target target;
    target.listen(*stepper);
    stepper->step(1);
    EXPECT_DOUBLE_EQ(stepper->doubleValue(), 0.1);
    EXPECT_EQ(stepper->lastStep(), 1);
    stepper->step(1);  // wraps round to the minimum, still an up press
    EXPECT_DOUBLE_EQ(stepper->doubleValue(), 0);
    EXPECT_EQ(stepper->lastStep(), 1);
    stepper->step(-1);
    EXPECT_EQ(stepper->lastStep(), -1);
    EXPECT_DOUBLE_EQ(stepper->doubleValue(), 0.1);
    stepper->setValueWraps(false);
    stepper->step(1);
    EXPECT_DOUBLE_EQ(stepper->doubleValue(), 0.1);
    EXPECT_EQ(target.seen.size(), 4u);
}

TEST(PopUpButton, SelectsByIndexTagAndTitle)
{
    auto popUp = core::make<ui::PopUpButton>(gfx::Rect{0, 0, 120, 24});
    EXPECT_EQ(popUp->indexOfSelectedItem(), -1);
    EXPECT_EQ(popUp->selectedTag(), -1);
    popUp->addItems({"PNG", "JPEG", "TIFF"});
    EXPECT_EQ(popUp->indexOfSelectedItem(), 0);
    popUp->itemAtIndex(1)->setTag(30);
    EXPECT_TRUE(popUp->selectItemWithTag(30));
    EXPECT_EQ(popUp->titleOfSelectedItem(), "JPEG");
    EXPECT_FALSE(popUp->selectItemWithTag(99));
    EXPECT_EQ(popUp->indexOfSelectedItem(), 1);
    popUp->selectItemWithTitle("TIFF");
    EXPECT_EQ(popUp->indexOfSelectedItem(), 2);
    EXPECT_EQ(popUp->itemAtIndex(3), nullptr);
    popUp->removeAllItems();
    EXPECT_EQ(popUp->selectedItem(), nullptr);
}

TEST(SegmentedControl, SelectsOneOrAnyAndFindsTags)
{
    auto segments = core::make<ui::SegmentedControl>(gfx::Rect{0, 0, 120, 24});
    segments->setSegmentCount(3);
    segments->setLabel("A", 0);
    segments->setTag(5, 2);
    Target target;
    target.listen(*segments);
    segments->pressSegment(1);
    EXPECT_EQ(segments->selectedSegment(), 1);
    EXPECT_TRUE(segments->selectSegmentWithTag(5));
    EXPECT_EQ(segments->selectedSegment(), 2);
    EXPECT_FALSE(segments->isSelectedForSegment(1));
    segments->setTrackingMode(ui::SegmentSwitchTracking::selectAny);
    segments->pressSegment(0);
    EXPECT_TRUE(segments->isSelectedForSegment(0));
    EXPECT_TRUE(segments->isSelectedForSegment(2));
    EXPECT_EQ(segments->labelForSegment(0), "A");
    EXPECT_EQ(segments->labelForSegment(7), "");
    EXPECT_EQ(target.seen.size(), 2u);
}

TEST(RadioGroup, KeepsOneRowOn)
{
    auto radios = core::make<ui::RadioGroup>(gfx::Rect{0, 0, 120, 60});
    radios->setTitles({"Fast", "Precise"});
    EXPECT_EQ(radios->selectedRow(), 0);
    radios->pressRow(1);
    EXPECT_EQ(radios->selectedRow(), 1);
    radios->setTag(7, 0);
    EXPECT_TRUE(radios->selectCellWithTag(7));
    EXPECT_EQ(radios->selectedTag(), 7);
    radios->pressRow(5);
    EXPECT_EQ(radios->selectedRow(), 0);
}

TEST(ProgressIndicator, RunsBetweenStartAndStop)
{
    auto progress = core::make<ui::ProgressIndicator>(gfx::Rect{0, 0, 100, 10});
    EXPECT_FALSE(progress->isAnimating());
    progress->startAnimation(nullptr);
    EXPECT_TRUE(progress->isAnimating());
    progress->stopAnimation(nullptr);
    EXPECT_FALSE(progress->isAnimating());
    progress->setIndeterminate(false);
    progress->setDoubleValue(50);
    EXPECT_DOUBLE_EQ(progress->doubleValue(), 50);
}

class Model : public core::Observable {
public:
    double quality = 0.5;
    void awake() override
    {
        exposeKey(
            "quality", [this] { return std::any(quality); },
            [this](const std::any& v) {
                quality = std::any_cast<double>(v);
                didChange("quality");
            });
    }
};

TEST(Control, ABindingKeepsControlAndModelInStep)
{
    auto model = core::make<Model>();
    auto slider = core::make<ui::Slider>(gfx::Rect{0, 0, 200, 20});
    slider->bind(ui::valueBinding, model, "quality");
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 0.5);
    model->setValueForKey("quality", 0.25);
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 0.25);
    QWidget* widget = ui::controlWidget(*slider);
    mouse(widget, QEvent::MouseButtonPress, {199, 10}, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, {199, 10}, Qt::NoButton);
    EXPECT_DOUBLE_EQ(model->quality, 1.0);
    auto info = slider->infoForBinding(ui::valueBinding);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->observedKeyPath, "quality");
    slider->unbind(ui::valueBinding);
    EXPECT_FALSE(slider->infoForBinding(ui::valueBinding));
    model->setValueForKey("quality", 0.75);
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 1.0);
}

TEST(Control, ExposesItsValueByKey)
{
    auto field = core::make<ui::TextField>(gfx::Rect{0, 0, 100, 20});
    EXPECT_TRUE(field->setValueForKey("doubleValue", 3.0));
    EXPECT_EQ(field->stringValue(), "3");
    EXPECT_TRUE(field->setValueForKey("stringValue", std::string("12.5")));
    EXPECT_DOUBLE_EQ(field->doubleValue(), 12.5);
    EXPECT_EQ(field->integerValue(), 12);
}

}  // namespace
