// Popovers show beside their anchor at each edge, in the anchor view's own sense of up, and close as their
// behaviour says.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "platform/ui/detail/qt_view.h"
#include "platform/ui/popover.h"
#include "platform/ui/view.h"
#include "platform/ui/view_controller.h"
#include "platform/ui/window.h"

namespace {

class FlippedView : public ui::View {
public:
    using View::View;
    bool isFlipped() const override { return true; }
};

struct Recorder : ui::PopoverDelegate {
    bool allow = true;
    std::vector<std::string> calls;
    bool popoverShouldClose(ui::Popover&) override
    {
        calls.push_back("should");
        return allow;
    }
    void popoverWillClose(ui::Popover& p) override { calls.push_back(p.isShown() ? "will" : "will-hidden"); }
    void popoverDidClose(ui::Popover& p) override { calls.push_back(p.isShown() ? "did-shown" : "did"); }
};

struct Scene {
    std::shared_ptr<ui::Window> window = ui::Window::create({200, 200, 300, 200}, ui::StyleMask::titled);
    std::shared_ptr<ui::Window> other = ui::Window::create({600, 200, 100, 100}, ui::StyleMask::titled);
    std::shared_ptr<ui::View> button = core::make<ui::View>(gfx::Rect{100, 80, 40, 20});
    std::shared_ptr<FlippedView> flipped = core::make<FlippedView>(gfx::Rect{0, 0, 60, 60});
    std::shared_ptr<ui::ViewController> content = core::make<ui::ViewController>();
    std::shared_ptr<ui::Popover> popover = core::make<ui::Popover>();
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();

    Scene()
    {
        window->contentView()->addSubview(button);
        window->contentView()->addSubview(flipped);
        window->makeKeyAndOrderFront(nullptr);
        other->orderFront(nullptr);
        content->setView(core::make<ui::View>(gfx::Rect{0, 0, 50, 30}));
        popover->setContentViewController(content);
        popover->setDelegate(recorder);
    }
    ~Scene()
    {
        popover->close();
        window->close();
        other->close();
    }

    gfx::Rect anchor(const ui::View& view) const
    {
        return window->convertRectToScreen(view.convertRectTo(view.bounds(), nullptr));
    }
};

void press(QWidget* widget)
{
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &up);
}

TEST(Popover, ShowsAtEachEdgeOfItsAnchor)
{
    Scene scene;
    const gfx::Rect a = scene.anchor(*scene.button);
    auto& p = *scene.popover;
    p.show(scene.button->bounds(), scene.button, ui::RectEdge::maxY);
    EXPECT_TRUE(p.isShown());
    EXPECT_EQ(p.frame(), (gfx::Rect{a.midX() - 25, a.maxY() + ui::Popover::gap, 50, 30}));
    p.show(scene.button->bounds(), scene.button, ui::RectEdge::minY);
    EXPECT_EQ(p.frame(), (gfx::Rect{a.midX() - 25, a.minY() - ui::Popover::gap - 30, 50, 30}));
    p.show(scene.button->bounds(), scene.button, ui::RectEdge::minX);
    EXPECT_EQ(p.frame(), (gfx::Rect{a.minX() - ui::Popover::gap - 50, a.midY() - 15, 50, 30}));
    p.show(scene.button->bounds(), scene.button, ui::RectEdge::maxX);
    EXPECT_EQ(p.frame(), (gfx::Rect{a.maxX() + ui::Popover::gap, a.midY() - 15, 50, 30}));
    EXPECT_TRUE(scene.recorder->calls.empty());  // showing again moves it

    // In a flipped view minY is the visual top.
    const gfx::Rect f = scene.anchor(*scene.flipped);
    p.show(scene.flipped->bounds(), scene.flipped, ui::RectEdge::minY);
    EXPECT_DOUBLE_EQ(p.frame().minY(), f.maxY() + ui::Popover::gap);
    p.show(scene.flipped->bounds(), scene.flipped, ui::RectEdge::maxY);
    EXPECT_DOUBLE_EQ(p.frame().maxY(), f.minY() - ui::Popover::gap);
}

TEST(Popover, PerformCloseAsksTheDelegateThenClosesInOrder)
{
    Scene scene;
    scene.popover->show(scene.button->bounds(), scene.button, ui::RectEdge::maxY);
    scene.recorder->allow = false;
    scene.popover->performClose(nullptr);
    EXPECT_TRUE(scene.popover->isShown());
    scene.recorder->allow = true;
    scene.popover->performClose(nullptr);
    EXPECT_FALSE(scene.popover->isShown());
    EXPECT_EQ(scene.recorder->calls, (std::vector<std::string>{"should", "should", "will", "did"}));
}

TEST(Popover, SemitransientClosesOnAPressInItsWindowOrEscape)
{
    Scene scene;
    auto& p = *scene.popover;
    p.setBehavior(ui::PopoverBehavior::semitransient);
    p.show(scene.button->bounds(), scene.button, ui::RectEdge::maxY);
    press(ui::widgetOf(*scene.content->view()));  // inside the popover
    EXPECT_TRUE(p.isShown());
    press(ui::widgetOf(*scene.other->contentView()));  // another window
    EXPECT_TRUE(p.isShown());
    press(ui::widgetOf(*scene.button));
    EXPECT_FALSE(p.isShown());

    p.show(scene.button->bounds(), scene.button, ui::RectEdge::maxY);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(ui::widgetOf(*scene.content->view()), &escape);
    EXPECT_FALSE(p.isShown());
}

TEST(Popover, TransientClosesOnAnyPressOutside)
{
    Scene scene;
    auto& p = *scene.popover;
    p.setBehavior(ui::PopoverBehavior::transient);
    p.show(scene.button->bounds(), scene.button, ui::RectEdge::maxY);
    press(ui::widgetOf(*scene.other->contentView()));
    EXPECT_FALSE(p.isShown());
}

TEST(Popover, ApplicationDefinedStaysUntilTold)
{
    Scene scene;
    auto& p = *scene.popover;
    p.show(scene.button->bounds(), scene.button, ui::RectEdge::maxY);
    press(ui::widgetOf(*scene.button));
    press(ui::widgetOf(*scene.other->contentView()));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(ui::widgetOf(*scene.button), &escape);
    EXPECT_TRUE(p.isShown());
    p.close();
    EXPECT_FALSE(p.isShown());
    EXPECT_EQ(scene.recorder->calls, (std::vector<std::string>{"will", "did"}));
}

}  // namespace
