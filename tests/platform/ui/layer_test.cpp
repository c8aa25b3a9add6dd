// Implicit animations of layers reach their end values; transactions without actions apply at once and run
// their completion; a delegate's transition cross-fades a view's own layer.
#include <gtest/gtest.h>

#include "platform/ui/animation_context.h"
#include "platform/ui/layer.h"
#include "platform/ui/transaction.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"
#include "tests/platform/core/run_until.h"

namespace {

struct Hosted {
    std::shared_ptr<ui::Window> window = ui::Window::create({0, 0, 100, 100}, ui::StyleMask::titled);
    std::shared_ptr<ui::View> view = core::make<ui::View>(gfx::Rect{0, 0, 100, 100});
    std::shared_ptr<ui::Layer> sublayer = core::make<ui::Layer>();

    Hosted()
    {
        window->contentView()->addSubview(view);
        view->setWantsLayer(true);
        ui::Transaction::withoutAnimation([&] { sublayer->setFrame({10, 10, 20, 20}); });
        view->layer()->addSublayer(sublayer);
    }
};

TEST(Layer, AnImplicitAnimationReachesItsEndValue)
{
    Hosted hosted;
    bool completed = false;
    {
        ui::Transaction::Scope scope;
        ui::Transaction::setCompletionBlock([&] { completed = true; });
        hosted.sublayer->setOpacity(0.2);
        hosted.sublayer->setPosition({50, 60});
    }
    // The model value reads at once; what is shown gets there over time.
    EXPECT_DOUBLE_EQ(hosted.sublayer->opacity(), 0.2);
    EXPECT_DOUBLE_EQ(hosted.sublayer->presentation().opacity, 1.0);
    EXPECT_TRUE(testsupport::runUntil([&] { return completed; }));
    EXPECT_DOUBLE_EQ(hosted.sublayer->presentation().opacity, 0.2);
    EXPECT_EQ(hosted.sublayer->presentation().position, (gfx::Point{50, 60}));
    EXPECT_EQ(hosted.sublayer->frame(), (gfx::Rect{40, 50, 20, 20}));
}

TEST(Layer, ADisabledTransactionAppliesAtOnce)
{
    Hosted hosted;
    bool completed = false;
    {
        ui::Transaction::Scope scope;
        ui::Transaction::setDisableActions(true);
        ui::Transaction::setCompletionBlock([&] { completed = true; });
        hosted.sublayer->setBackgroundColor(gfx::Color::red());
        hosted.sublayer->setBounds({0, 0, 40, 40});
    }
    EXPECT_EQ(hosted.sublayer->presentation().backgroundColor, gfx::Color::red());
    EXPECT_EQ(hosted.sublayer->presentation().bounds, (gfx::Rect{0, 0, 40, 40}));
    EXPECT_TRUE(testsupport::runUntil([&] { return completed; }));
}

TEST(Layer, AViewsOwnLayerChangesAtOnceUnlessItsDelegateAsks)
{
    Hosted hosted;
    auto root = hosted.view->layer();
    root->setOpacity(0.5);
    EXPECT_DOUBLE_EQ(root->presentation().opacity, 0.5);

    struct Fader : ui::LayerDelegate {
        std::optional<ui::Transition> actionForLayer(ui::Layer&, const std::string& key) override
        {
            if (key == "contents") return ui::Transition{0.3, ui::Transition::Type::fade};
            return std::nullopt;
        }
    };
    auto fader = std::make_shared<Fader>();
    root->setDelegate(fader);
    auto image = gfx::Image::create(1, 1, {0xffff0000});
    bool completed = false;
    {
        ui::Transaction::Scope scope;
        ui::Transaction::setCompletionBlock([&] { completed = true; });
        root->setContents(image);
        root->setOpacity(0.7);
    }
    EXPECT_EQ(root->contents(), image);
    EXPECT_DOUBLE_EQ(root->presentation().opacity, 0.7);
    EXPECT_LT(root->presentation().contentsFade, 1.0);
    EXPECT_TRUE(testsupport::runUntil([&] { return completed; }));
    EXPECT_DOUBLE_EQ(root->presentation().contentsFade, 1.0);
    EXPECT_EQ(root->presentation().fadingContents, nullptr);
}

TEST(Layer, ContentsKeepTheirAspectInTheBounds)
{
    const gfx::Rect wide = ui::gravityRect(ui::ContentsGravity::resizeAspect, {200, 100}, {0, 0, 100, 100});
    EXPECT_EQ(wide, (gfx::Rect{0, 25, 100, 50}));
    const gfx::Rect tall = ui::gravityRect(ui::ContentsGravity::resizeAspect, {50, 100}, {0, 0, 100, 100});
    EXPECT_EQ(tall, (gfx::Rect{25, 0, 50, 100}));
}

TEST(Layer, AnimationGroupsMoveViewsAndCallTheirCompletion)
{
    Hosted hosted;
    bool completed = false;
    ui::AnimationContext::runAnimationGroup(
        [&](ui::AnimationContext& context) {
            context.setDuration(0.1);
            hosted.view->animator().setFrame({5, 5, 50, 50});
            hosted.view->animator().setAlphaValue(0.5);
        },
        [&] { completed = true; });
    EXPECT_TRUE(testsupport::runUntil([&] { return completed; }));
    EXPECT_EQ(hosted.view->frame(), (gfx::Rect{5, 5, 50, 50}));
    EXPECT_DOUBLE_EQ(hosted.view->alphaValue(), 0.5);
}

TEST(TimingFunction, NamedCurvesRunFromZeroToOne)
{
    for (auto name : {"linear", "easeIn", "easeOut", "easeInEaseOut", "default"}) {
        const auto curve = ui::TimingFunction::named(name);
        EXPECT_NEAR(curve.valueAt(0), 0, 1e-9);
        EXPECT_NEAR(curve.valueAt(1), 1, 1e-9);
    }
    EXPECT_NEAR(ui::TimingFunction::named("linear").valueAt(0.3), 0.3, 1e-6);
    EXPECT_LT(ui::TimingFunction::named("easeIn").valueAt(0.3), 0.3);
    EXPECT_GT(ui::TimingFunction::named("easeOut").valueAt(0.3), 0.3);
}

}  // namespace
