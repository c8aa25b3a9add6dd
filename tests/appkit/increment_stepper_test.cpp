// The increment stepper rounds, steps in the direction of the arrow pressed, clamps to the formatter and writes
// through the binding.
#include <gtest/gtest.h>

#include "appkit/increment_stepper.h"
#include "appkit/menu_picker.h"
#include "platform/ui/number_formatter.h"

namespace {

struct Fixture {
    std::shared_ptr<kestrane::IncrementStepper> stepper =
        core::make<kestrane::IncrementStepper>(gfx::Rect{0, 0, 20, 30});
    std::shared_ptr<ui::Control> control = core::make<ui::Control>(gfx::Rect{0, 0, 80, 20});
    Fixture() { stepper->setControl(control); }
};

TEST(IncrementStepper, RoundsThenStepsEachWayAsPressed)
{
    Fixture f;
    f.control->setDoubleValue(0.456);
    f.stepper->step(+1);
    EXPECT_NEAR(f.control->doubleValue(), 0.56, 1e-9);
    f.control->setDoubleValue(0.456);
    f.stepper->step(-1);
    EXPECT_NEAR(f.control->doubleValue(), 0.36, 1e-9);
}

TEST(IncrementStepper, KeepsGoingUpOnRepeatedUpPresses)
{
    Fixture f;
    f.control->setDoubleValue(1);
    for (int press = 0; press < 3; ++press)
        f.stepper->step(+1);
    EXPECT_NEAR(f.control->doubleValue(), 1.3, 1e-9);
    for (int press = 0; press < 4; ++press)
        f.stepper->step(-1);
    EXPECT_NEAR(f.control->doubleValue(), 0.9, 1e-9);
}

TEST(IncrementStepper, ClampsToTheFormatterOnly)
{
    Fixture f;
    auto formatter = std::make_shared<ui::NumberFormatter>();
    formatter->setMaximum(1.0);
    formatter->setMinimum(0.0);
    f.control->setFormatter(formatter);
    f.control->setDoubleValue(0.95);
    f.stepper->step(+1);
    EXPECT_DOUBLE_EQ(f.control->doubleValue(), 1.0);
    f.control->setDoubleValue(0.05);
    f.stepper->step(-1);
    EXPECT_DOUBLE_EQ(f.control->doubleValue(), 0.0);

    f.control->setFormatter(nullptr);
    f.control->setDoubleValue(0.05);
    f.stepper->step(-1);
    EXPECT_NEAR(f.control->doubleValue(), -0.05, 1e-9);
}

TEST(IncrementStepper, DoesNothingOnceTheControlIsGone)
{
    auto stepper = core::make<kestrane::IncrementStepper>(gfx::Rect{0, 0, 20, 30});
    {
        auto control = core::make<ui::Control>(gfx::Rect{0, 0, 80, 20});
        stepper->setControl(control);
    }
    EXPECT_EQ(stepper->control(), nullptr);
    stepper->step(+1);  // must not crash
    EXPECT_DOUBLE_EQ(stepper->incrementValue(), 0.1);
}

TEST(MenuPicker, ActsOnMouseDownAndIgnoresAMissingMenu)
{
    auto picker = core::make<kestrane::MenuPicker>(gfx::Rect{0, 0, 40, 20});
    EXPECT_EQ(picker->actionMask(), ui::eventMaskFor(ui::EventType::leftMouseDown));
    EXPECT_EQ(picker->action(), kestrane::MenuPicker::showMenuAction);
    picker->showMenu(nullptr);  // no menu, no window: nothing happens
    auto share = core::make<kestrane::ShareMenuPicker>(gfx::Rect{0, 0, 40, 20});
    EXPECT_EQ(share->actionMask(), ui::eventMaskFor(ui::EventType::leftMouseDown));
    EXPECT_TRUE(share->action().empty());
}

}  // namespace
