// Views in a window: y-up and flipped frames, conversions to and from the window, hit-testing, event delivery
// from Qt input, and drawing that lands in the right pixels.
#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <thread>

#include "platform/core/main_thread.h"
#include "platform/gfx/context.h"
#include "platform/ui/cursor.h"
#include "platform/ui/detail/qt_view.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"
#include "tests/platform/core/run_until.h"

namespace {

class FlippedView : public ui::View {
public:
    using View::View;
    bool isFlipped() const override { return true; }
};

class RecordingView : public ui::View {
public:
    using View::View;
    std::vector<ui::Event> downs, drags, ups;
    void mouseDown(const ui::Event& e) override { downs.push_back(e); }
    void mouseDragged(const ui::Event& e) override { drags.push_back(e); }
    void mouseUp(const ui::Event& e) override { ups.push_back(e); }
};

// A window 200 × 100 holding A (unflipped) at (10, 20, 50, 30) and a flipped F at (100, 0, 100, 100) with C
// at (10, 10, 20, 20) inside it.
struct Scene {
    std::shared_ptr<ui::Window> window = ui::Window::create({100, 100, 200, 100}, ui::StyleMask::titled);
    std::shared_ptr<RecordingView> a = core::make<RecordingView>(gfx::Rect{10, 20, 50, 30});
    std::shared_ptr<FlippedView> f = core::make<FlippedView>(gfx::Rect{100, 0, 100, 100});
    std::shared_ptr<RecordingView> c = core::make<RecordingView>(gfx::Rect{10, 10, 20, 20});

    Scene()
    {
        window->contentView()->addSubview(a);
        window->contentView()->addSubview(f);
        f->addSubview(c);
    }
};

void expectPoint(gfx::Point actual, gfx::Point expected)
{
    EXPECT_DOUBLE_EQ(actual.x, expected.x);
    EXPECT_DOUBLE_EQ(actual.y, expected.y);
}

TEST(View, ConvertsPointsBetweenUnflippedFlippedViewsAndTheWindow)
{
    Scene scene;
    expectPoint(scene.a->convertPointTo({5, 5}, nullptr), {15, 25});
    // C's bottom left sits 30 below F's top, which is the window's top.
    expectPoint(scene.c->convertPointTo({0, 0}, nullptr), {110, 70});
    expectPoint(scene.c->convertPointTo({0, 20}, nullptr), {110, 90});
    expectPoint(scene.c->convertPoint({110, 70}, nullptr), {0, 0});
    expectPoint(scene.a->convertPointTo({5, 5}, scene.c.get()), {-95, -45});
    expectPoint(scene.a->convertPointTo({1, 2}, scene.c.get()),
                scene.c->convertPoint(scene.a->convertPointTo({1, 2}, nullptr), nullptr));
    expectPoint(scene.a->convertPoint(scene.a->convertPointTo({1, 2}, scene.c.get()), scene.c.get()), {1, 2});
    expectPoint(scene.f->convertPointTo({0, 0}, nullptr), {100, 100});

    const gfx::Rect r = scene.c->convertRectTo({0, 0, 20, 20}, nullptr);
    EXPECT_EQ(r, (gfx::Rect{110, 70, 20, 20}));
}

TEST(View, ScrolledBoundsMoveTheSubviews)
{
    Scene scene;
    scene.f->setBoundsOrigin({0, 5});
    expectPoint(scene.c->convertPointTo({0, 0}, nullptr), {110, 75});
}

TEST(View, HitTestingFindsTheDeepestVisibleView)
{
    Scene scene;
    auto content = scene.window->contentView();
    EXPECT_EQ(content->hitTest({115, 75}), scene.c);
    EXPECT_EQ(content->hitTest({115, 95}), scene.f);
    EXPECT_EQ(content->hitTest({15, 25}), scene.a);
    EXPECT_EQ(content->hitTest({5, 5}), content);
    EXPECT_EQ(content->hitTest({300, 300}), nullptr);
    scene.c->setHidden(true);
    EXPECT_EQ(content->hitTest({115, 75}), scene.f);
}

TEST(View, AutoresizingFollowsTheSuperview)
{
    Scene scene;
    scene.a->setAutoresizingMask(ui::AutoresizingMask::widthSizable | ui::AutoresizingMask::minYMargin);
    scene.window->setContentSize({300, 150});
    EXPECT_EQ(scene.window->contentView()->frame(), (gfx::Rect{0, 0, 300, 150}));
    EXPECT_EQ(scene.a->frame(), (gfx::Rect{10, 70, 150, 30}));
}

void sendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons buttons, quint64 time)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    event.setTimestamp(time);
    QApplication::sendEvent(widget, &event);
}

TEST(View, QtInputReachesThePressedViewWithClickCounts)
{
    Scene scene;
    scene.window->makeKeyAndOrderFront(nullptr);
    QWidget* widget = ui::widgetOf(*scene.c);
    // Widget pixels are y-down: (5, 15) is 5 up from C's bottom.
    sendMouse(widget, QEvent::MouseButtonPress, {5, 15}, Qt::LeftButton, 1000);
    sendMouse(widget, QEvent::MouseMove, {7, 14}, Qt::LeftButton, 1010);
    sendMouse(widget, QEvent::MouseButtonRelease, {7, 14}, Qt::NoButton, 1020);
    sendMouse(widget, QEvent::MouseButtonDblClick, {7, 14}, Qt::LeftButton, 1100);
    sendMouse(widget, QEvent::MouseButtonRelease, {7, 14}, Qt::NoButton, 1120);
    ASSERT_EQ(scene.c->downs.size(), 2u);
    expectPoint(scene.c->downs[0].locationInWindow, {115, 75});
    expectPoint(scene.c->convertPoint(scene.c->downs[0].locationInWindow, nullptr), {5, 5});
    EXPECT_EQ(scene.c->downs[0].clickCount, 1);
    EXPECT_EQ(scene.c->downs[1].clickCount, 2);
    ASSERT_EQ(scene.c->ups.size(), 2u);
    EXPECT_EQ(scene.c->ups[0].clickCount, 1);
    EXPECT_EQ(scene.c->ups[1].clickCount, 2);
    ASSERT_EQ(scene.c->drags.size(), 1u);
    EXPECT_EQ(scene.c->drags[0].type, ui::EventType::leftMouseDragged);
    EXPECT_TRUE(scene.a->downs.empty());
    scene.window->close();
}

TEST(View, AnUnhandledPressGoesToTheSuperview)
{
    Scene scene;
    auto plain = core::make<ui::View>(gfx::Rect{1, 1, 10, 10});
    scene.a->addSubview(plain);
    scene.window->sendEvent(
        ui::Event::mouseEvent(ui::EventType::leftMouseDown, {13, 23}, 0, 0, scene.window->windowNumber(), 1, 1));
    scene.window->sendEvent(
        ui::Event::mouseEvent(ui::EventType::leftMouseUp, {80, 80}, 0, 0, scene.window->windowNumber(), 1, 1));
    EXPECT_EQ(scene.a->downs.size(), 1u);
    EXPECT_EQ(scene.a->ups.size(), 1u);  // the release goes where the press went
}

class MarkerView : public ui::View {
public:
    MarkerView(const gfx::Rect& frame, bool flipped) : View(frame), flipped_(flipped) {}
    bool isFlipped() const override { return flipped_; }
    void draw(const gfx::Rect&) override
    {
        auto* context = gfx::Context::current();
        ASSERT_NE(context, nullptr);
        context->setFillColor(gfx::Color::red());
        context->fillRect({0, 0, 10, 10});
    }

private:
    bool flipped_;
};

bool isRed(gfx::Pixel p) { return gfx::redOf(p) > 200 && gfx::greenOf(p) < 50 && gfx::blueOf(p) < 50; }

TEST(View, DrawingLandsInTheRightPixels)
{
    auto window = ui::Window::create({0, 0, 100, 100}, ui::StyleMask::titled);
    window->contentView()->addSubview(core::make<MarkerView>(gfx::Rect{20, 30, 40, 40}, false));
    window->contentView()->addSubview(core::make<MarkerView>(gfx::Rect{60, 30, 40, 40}, true));
    auto image = window->snapshot();
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width(), 100);
    ASSERT_EQ(image->height(), 100);
    // Unflipped: the marker is the bottom-left corner of the view, rows 60...69 from the top.
    EXPECT_TRUE(isRed(image->pixel(20, 69)));
    EXPECT_TRUE(isRed(image->pixel(29, 60)));
    EXPECT_FALSE(isRed(image->pixel(20, 59)));
    EXPECT_FALSE(isRed(image->pixel(30, 65)));
    EXPECT_FALSE(isRed(image->pixel(25, 70)));
    // Flipped: the marker is the top-left corner, rows 30...39.
    EXPECT_TRUE(isRed(image->pixel(60, 30)));
    EXPECT_TRUE(isRed(image->pixel(69, 39)));
    EXPECT_FALSE(isRed(image->pixel(65, 40)));
    EXPECT_FALSE(isRed(image->pixel(65, 29)));
}

}  // namespace

namespace {

class ResizeWatcher : public ui::View {
public:
    using View::View;
    int started = 0, ended = 0, cursorResets = 0;
    void viewWillStartLiveResize() override { ++started; }
    void viewDidEndLiveResize() override { ++ended; }
    void resetCursorRects() override
    {
        ++cursorResets;
        addCursorRect({0, 0, 10, 10}, ui::Cursor::pointingHand());
    }
};

TEST(View, LiveResizeEndsAfterTheLastResize)
{
    auto window = ui::Window::create({0, 0, 100, 100}, ui::StyleMask::titled | ui::StyleMask::resizable);
    auto watcher = core::make<ResizeWatcher>(gfx::Rect{0, 0, 50, 50});
    window->contentView()->addSubview(watcher);
    window->makeKeyAndOrderFront(nullptr);
    for (int step = 1; step <= 3; ++step) {
        window->setContentSize({100.0 + step, 100});
        QApplication::processEvents();
    }
    EXPECT_TRUE(testsupport::runUntil([&] { return watcher->ended == 1; }));
    EXPECT_EQ(watcher->started, 1);
    EXPECT_FALSE(window->inLiveResize());
    window->close();
}

TEST(View, CursorRectsComeFromTheViewWhenTheWindowAsks)
{
    auto window = ui::Window::create({0, 0, 100, 100}, ui::StyleMask::titled);
    auto watcher = core::make<ResizeWatcher>(gfx::Rect{0, 0, 50, 50});
    window->contentView()->addSubview(watcher);
    window->invalidateCursorRectsForView(watcher);
    window->invalidateCursorRectsForView(watcher);
    EXPECT_EQ(watcher->cursorResets, 2);
    EXPECT_EQ(watcher->cursorAt({5, 5}), ui::Cursor::pointingHand());
    EXPECT_EQ(watcher->cursorAt({20, 5}), nullptr);
    window->disableCursorRects();
    EXPECT_EQ(watcher->cursorAt({5, 5}), nullptr);
    window->invalidateCursorRectsForView(watcher);
    EXPECT_EQ(watcher->cursorResets, 2);
}

}  // namespace

TEST(ViewDeathTest, ViewsAndWindowsMadeOrChangedOffTheMainThreadStopDebugBuilds)
{
    if (!core::checksQueues()) GTEST_SKIP() << "release builds do not check";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto view = core::make<ui::View>(gfx::Rect{0, 0, 10, 10});
    EXPECT_DEATH(std::thread([] { core::make<ui::View>(gfx::Rect{}); }).join(), "view.cpp:.* is for the main thread");
    EXPECT_DEATH(std::thread([&] { view->setFrame({0, 0, 20, 20}); }).join(), "setFrame.* main thread");
    EXPECT_DEATH(std::thread([] { ui::Window::create({0, 0, 10, 10}, 0); }).join(), "main thread");
}
