// Nil-targeted actions travel the responder chain of the key window; menu items are enabled by validation
// along the same chain.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/detail/qt_menu.h"
#include "platform/ui/menu.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"
#include "platform/ui/window_controller.h"
#include "platform/ui/window_delegate.h"

namespace {

constexpr ui::ActionName nextFrame{"nextFrame:"};
constexpr ui::ActionName zoomIn{"zoomIn:"};
constexpr ui::ActionName togglePlay{"togglePlay:"};
constexpr ui::ActionName nobodyHasThis{"nobodyHasThis:"};

class FocusView : public ui::View {
public:
    using View::View;
    bool acceptsFirstResponder() const override { return true; }
};

class Controller : public ui::WindowController, public ui::WindowDelegate {
public:
    using WindowController::WindowController;
    bool allowed = true;
    bool validateUserInterfaceItem(const ui::ValidatedUserInterfaceItem& item) override
    {
        return item.action() != nextFrame || allowed;
    }
};

struct Chain {
    std::shared_ptr<ui::Window> window = ui::Window::create({0, 0, 200, 100}, ui::StyleMask::titled);
    std::shared_ptr<Controller> controller = core::make<Controller>(window);
    std::shared_ptr<ui::View> outer = core::make<ui::View>(gfx::Rect{0, 0, 100, 100});
    std::shared_ptr<FocusView> inner = core::make<FocusView>(gfx::Rect{10, 10, 20, 20});
    std::vector<std::string> performed;

    Chain()
    {
        window->contentView()->addSubview(outer);
        outer->addSubview(inner);
        window->setDelegate(controller);
        window->makeKeyAndOrderFront(nullptr);
        EXPECT_TRUE(window->makeFirstResponder(inner));
    }
    ~Chain() { window->close(); }

    void record(const std::shared_ptr<ui::Responder>& responder, const std::string& name, const ui::Action& action)
    {
        responder->registerAction(action,
                                  [this, name](const std::shared_ptr<core::Object>&) { performed.push_back(name); });
    }
};

TEST(ResponderChain, ANilTargetedActionReachesTheFirstResponderThatHasIt)
{
    Chain chain;
    chain.record(chain.controller, "controller", nextFrame);
    auto app = ui::Application::shared();
    EXPECT_TRUE(app->sendAction(nextFrame, nullptr, nullptr));
    chain.record(chain.outer, "outer", nextFrame);
    EXPECT_TRUE(app->sendAction(nextFrame, nullptr, nullptr));
    EXPECT_FALSE(app->sendAction(nobodyHasThis, nullptr, nullptr));
    EXPECT_EQ(chain.performed, (std::vector<std::string>{"controller", "outer"}));
    EXPECT_EQ(app->targetForAction(nextFrame), chain.outer);

    // An explicit target gets it, or nothing does.
    EXPECT_TRUE(app->sendAction(nextFrame, chain.controller, nullptr));
    EXPECT_FALSE(app->sendAction(nextFrame, chain.inner, nullptr));
    EXPECT_EQ(chain.performed.back(), "controller");
}

TEST(ResponderChain, AnActionNoResponderPerformsIsNamedOnStandardErrorInDebugBuilds)
{
#ifdef NDEBUG
    GTEST_SKIP() << "the report is compiled out of release builds";
#else
    Chain chain;
    chain.record(chain.controller, "controller", nextFrame);
    auto app = ui::Application::shared();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(app->sendAction(nextFrame, nullptr, nullptr));
    EXPECT_FALSE(app->sendAction(nobodyHasThis, nullptr, nullptr));
    EXPECT_FALSE(app->sendAction(nextFrame, chain.inner, nullptr));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "No responder performs the action nobodyHasThis:\nNo responder performs the action nextFrame:\n");
#endif
}

TEST(ResponderChain, RunsFromTheFirstResponderThroughTheWindowToTheApplication)
{
    Chain chain;
    auto responders = ui::Application::shared()->responderChain();
    ASSERT_GE(responders.size(), 6u);
    EXPECT_EQ(responders[0], chain.inner);
    EXPECT_EQ(responders[1], chain.outer);
    EXPECT_EQ(responders[2], chain.window->contentView());
    EXPECT_EQ(responders[3], chain.window);
    EXPECT_EQ(responders[4], chain.controller);
    EXPECT_EQ(responders[5], ui::Application::shared());
}

TEST(ResponderChain, AnInsertedNextResponderTakesPart)
{
    Chain chain;
    auto inserted = core::make<ui::Responder>();
    inserted->setNextResponder(chain.outer);
    chain.inner->setNextResponder(inserted);
    chain.record(inserted, "inserted", zoomIn);
    EXPECT_TRUE(ui::Application::shared()->sendAction(zoomIn, nullptr, nullptr));
    EXPECT_EQ(chain.performed, std::vector<std::string>{"inserted"});
}

TEST(ResponderChain, ValidationEnablesAndDisablesMenuItems)
{
    Chain chain;
    chain.record(chain.controller, "controller", nextFrame);
    auto menu = core::make<ui::Menu>("Movie");
    auto seek = menu->addItem("Next Frame", nextFrame, "");
    auto orphan = menu->addItem("Nothing", nobodyHasThis, "");
    menu->update();
    EXPECT_TRUE(seek->isEnabled());
    EXPECT_FALSE(orphan->isEnabled());
    chain.controller->allowed = false;
    menu->update();
    EXPECT_FALSE(seek->isEnabled());
    chain.controller->allowed = true;
    menu->update();
    EXPECT_TRUE(seek->isEnabled());
}

TEST(ResponderChain, AMenuItemSendsItsActionAlongTheChain)
{
    Chain chain;
    chain.record(chain.inner, "inner", togglePlay);
    auto menu = core::make<ui::Menu>("Movie");
    auto item = menu->addItem("Play", togglePlay, "p");
    item->setTag(7);
    ui::Application::shared()->sendAction(item->action(), item->target(), item);
    EXPECT_EQ(chain.performed, std::vector<std::string>{"inner"});
    EXPECT_EQ(menu->itemWithTag(7), item);
}

TEST(ResponderChain, AKeyEquivalentActsOnlyWhenItsItemValidates)
{
    Chain chain;
    chain.record(chain.controller, "controller", nextFrame);
    auto menu = core::make<ui::Menu>("Movie");
    auto seek = menu->addItem("Next Frame", nextFrame, "\r");
    chain.controller->allowed = false;
    seek->impl().action->trigger();  // as the shortcut does, with the menu never shown
    EXPECT_TRUE(chain.performed.empty());
    chain.controller->allowed = true;
    seek->impl().action->trigger();
    EXPECT_EQ(chain.performed, std::vector<std::string>{"controller"});
    // The window closes through the chain.
    ui::Application::shared()->sendAction(ui::actions::performClose, nullptr, nullptr);
    EXPECT_FALSE(chain.window->isVisible());
}

}  // namespace
