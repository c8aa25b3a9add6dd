// Control values through bindings, tri-state buttons, actions, the responder chain and transactions.
#include <gtest/gtest.h>

#include <sstream>

#include "appkit/animation_extensions.h"
#include "appkit/control_extensions.h"
#include "appkit/responder_extensions.h"
#include "platform/ui/number_formatter.h"
#include "platform/ui/slider.h"
#include "platform/ui/transaction.h"

namespace {

constexpr ui::ActionName nudge{"nudge:"};

class Model : public core::Observable {
public:
    void awake() override
    {
        exposeKey(
            "level", [this] { return std::any(level); },
            [this](const std::any& v) {
                level = std::any_cast<double>(v);
                didChange("level");
            });
    }
    double level = 0;
};

class Receiver : public ui::Responder {
public:
    void awake() override
    {
        Responder::awake();
        registerAction(nudge, [this](const std::shared_ptr<core::Object>&) { ++calls; });
    }
    int calls = 0;
};

TEST(ControlBinding, WritesTheBoundModelOrElseTheControl)
{
    auto control = core::make<ui::Slider>(gfx::Rect{0, 0, 100, 20});
    control->setMaxValue(10);
    kestrane::setDoubleBindingValue(*control, 4);
    EXPECT_DOUBLE_EQ(control->doubleValue(), 4);

    auto model = core::make<Model>();
    control->bind(ui::valueBinding, model, "level");
    kestrane::setDoubleBindingValue(*control, 7);
    EXPECT_DOUBLE_EQ(model->level, 7);
}

TEST(ButtonState, MapsMixedToNoValue)
{
    auto button = core::make<ui::Button>(gfx::Rect{0, 0, 80, 20});
    button->setButtonType(ui::ButtonType::switchButton);
    button->setAllowsMixedState(true);
    kestrane::setBoolState(*button, std::nullopt);
    EXPECT_EQ(button->state(), ui::ControlState::mixed);
    EXPECT_EQ(kestrane::boolState(*button), std::nullopt);
    kestrane::disableWithBool(*button, true);
    EXPECT_EQ(kestrane::boolState(*button), true);
    EXPECT_FALSE(button->isEnabled());
    kestrane::enableWithValue(*button, 0);
    EXPECT_EQ(kestrane::boolState(*button), false);
    EXPECT_TRUE(button->isEnabled());
}

TEST(ControlAction, SendsOnlyWhenThereIsOne)
{
    auto control = core::make<ui::Slider>(gfx::Rect{0, 0, 100, 20});
    auto receiver = core::make<Receiver>();
    control->setTarget(receiver);
    kestrane::performAction(control);
    EXPECT_EQ(receiver->calls, 0);
    kestrane::setTarget(*control, receiver, nudge);
    kestrane::performAction(control);
    EXPECT_EQ(receiver->calls, 1);
}

TEST(ResponderChain, SplicesAResponderInAndPrintsTheChain)
{
    auto first = core::make<ui::Responder>();
    auto last = core::make<ui::Responder>();
    first->setNextResponder(last);
    auto middle = core::make<Receiver>();
    kestrane::insertNextResponder(*first, middle);
    EXPECT_EQ(first->nextResponder(), middle);
    EXPECT_EQ(middle->nextResponder(), last);

    std::ostringstream out;
    auto* old = std::cout.rdbuf(out.rdbuf());
    kestrane::inspectResponderChain(first);
    std::cout.rdbuf(old);
    EXPECT_EQ(out.str(), "Responder chain :\n- " + first->description() + "\n- " + middle->description() + "\n- " +
                             last->description() + "\n");
}

TEST(TransactionShortcuts, RestoreTheOuterSettings)
{
    kestrane::Transaction::animateWithDuration(2, [] {
        EXPECT_DOUBLE_EQ(ui::Transaction::animationDuration(), 2);
        kestrane::Transaction::disableAnimation([] { EXPECT_TRUE(ui::Transaction::disableActions()); });
        EXPECT_FALSE(ui::Transaction::disableActions());
    });
}

TEST(Label, IsNeitherEditableNorBezeled)
{
    auto label = kestrane::labelFrame({0, 0, 50, 20});
    EXPECT_FALSE(label->isEditable());
    EXPECT_FALSE(label->isSelectable());
    EXPECT_FALSE(label->isBezeled());
    EXPECT_FALSE(label->drawsBackground());
}

}  // namespace
