// Scroll views keep their clip view's position inside the document, scroll with the wheel, tell observers
// of a new document view and magnify the document within limits, on screen and in their conversions.
#include <gtest/gtest.h>

#include "platform/gfx/context.h"
#include "platform/ui/scroll_view.h"
#include "platform/ui/window.h"

namespace {

TEST(ScrollView, KeepsTheVisibleRectInsideTheDocument)
{
    auto scroll = core::make<ui::ScrollView>(gfx::Rect{0, 0, 100, 100});
    int documentChanges = 0;
    scroll->addObserver("documentView", [&](const core::KeyValueChange&) { ++documentChanges; });
    auto document = core::make<ui::View>(gfx::Rect{0, 0, 300, 400});
    scroll->setDocumentView(document);
    EXPECT_EQ(documentChanges, 1);
    EXPECT_EQ(scroll->documentView(), document);
    EXPECT_EQ(document->superview(), scroll->contentView());

    scroll->contentView()->scrollToPoint({50, 1000});
    EXPECT_EQ(scroll->documentVisibleRect(), (gfx::Rect{50, 300, 100, 100}));
    // What the clip view shows of the document: its point (50, 300) is at the clip view's bottom left.
    EXPECT_EQ(document->convertPointTo({50, 300}, scroll->contentView().get()), (gfx::Point{50, 300}));
    EXPECT_EQ(document->convertPointTo({50, 300}, nullptr), (gfx::Point{0, 0}));

    ui::Event wheel;
    wheel.type = ui::EventType::scrollWheel;
    wheel.deltaY = 2;  // towards the top: already there
    scroll->scrollWheel(wheel);
    EXPECT_EQ(scroll->contentView()->bounds().origin, (gfx::Point{50, 300}));
    wheel.deltaY = -3;
    scroll->scrollWheel(wheel);
    EXPECT_EQ(scroll->contentView()->bounds().origin, (gfx::Point{50, 270}));

    // A smaller document stays at the bottom left; shrinking it pulls the position back.
    document->setFrameSize({80, 120});
    EXPECT_EQ(scroll->contentView()->bounds().origin, (gfx::Point{0, 20}));
}

TEST(ScrollView, AViewScrollsItsRectIntoSight)
{
    auto scroll = core::make<ui::ScrollView>(gfx::Rect{0, 0, 100, 100});
    auto document = core::make<ui::View>(gfx::Rect{0, 0, 300, 400});
    auto item = core::make<ui::View>(gfx::Rect{200, 250, 40, 40});
    document->addSubview(item);
    scroll->setDocumentView(document);
    EXPECT_EQ(item->enclosingScrollView(), scroll);
    EXPECT_EQ(scroll->enclosingScrollView(), nullptr);
    auto clip = scroll->contentView();
    clip->scrollToPoint({0, 0});

    // Only as far as it takes: the item's far corner comes to the clip view's far corner.
    EXPECT_TRUE(item->scrollRectToVisible(item->bounds()));
    EXPECT_EQ(clip->bounds().origin, (gfx::Point{140, 190}));
    EXPECT_FALSE(item->scrollRectToVisible({10, 10, 10, 10}));  // already in sight
    EXPECT_TRUE(document->scrollRectToVisible({20, 30, 10, 10}));
    EXPECT_EQ(clip->bounds().origin, (gfx::Point{20, 30}));
    // Larger than the clip view: its low corner; beyond the document: as far as the document goes.
    EXPECT_TRUE(document->scrollRectToVisible({100, 100, 150, 150}));
    EXPECT_EQ(clip->bounds().origin, (gfx::Point{100, 100}));
    EXPECT_TRUE(document->scrollRectToVisible({280, 390, 50, 50}));
    EXPECT_EQ(clip->bounds().origin, (gfx::Point{200, 300}));
    EXPECT_FALSE(scroll->scrollRectToVisible({0, 0, 10, 10}));  // nothing to scroll above it
}

TEST(ScrollView, ScrollersTakeRoomFromTheClipView)
{
    auto scroll = core::make<ui::ScrollView>(gfx::Rect{0, 0, 100, 100});
    scroll->setHasVerticalScroller(true);
    scroll->setHasHorizontalScroller(true);
    EXPECT_LT(scroll->contentView()->frame().width(), 100);
    EXPECT_LT(scroll->contentView()->frame().height(), 100);
    EXPECT_GT(scroll->contentView()->frame().minY(), 0);
    scroll->setFrameSize({200, 150});
    EXPECT_LT(scroll->contentView()->frame().width(), 200);
    EXPECT_GT(scroll->contentView()->frame().width(), 100);
}

// Paints its bottom-left 10 x 10 points red and records where presses land.
class Marked : public ui::View {
public:
    using View::View;
    std::vector<gfx::Point> presses;
    void draw(const gfx::Rect&) override
    {
        gfx::Context::current()->setFillColor(gfx::Color::red());
        gfx::Context::current()->fillRect({0, 0, 10, 10});
    }
    void mouseDown(const ui::Event& event) override
    {
        presses.push_back(convertPoint(event.locationInWindow, nullptr));
    }
};

bool isRed(gfx::Pixel p) { return gfx::redOf(p) > 200 && gfx::greenOf(p) < 50 && gfx::blueOf(p) < 50; }

TEST(ScrollView, MagnificationStaysWithinItsLimits)
{
    auto scroll = core::make<ui::ScrollView>(gfx::Rect{0, 0, 100, 100});
    scroll->setDocumentView(core::make<ui::View>(gfx::Rect{0, 0, 400, 400}));
    EXPECT_EQ(scroll->magnification(), 1);
    scroll->setMagnification(10);
    EXPECT_EQ(scroll->magnification(), 4);
    EXPECT_EQ(scroll->contentView()->bounds().size, (gfx::Size{25, 25}));
    EXPECT_EQ(scroll->contentView()->frame().size, (gfx::Size{100, 100}));
    scroll->setMaxMagnification(2);
    EXPECT_EQ(scroll->magnification(), 2) << "a new limit pulls the current value in";
    scroll->setMinMagnification(3);
    EXPECT_EQ(scroll->magnification(), 3) << "crossed limits: the lower one wins";
    scroll->setMinMagnification(0.1);
    scroll->setMagnification(0.5);
    EXPECT_EQ(scroll->contentView()->bounds().size, (gfx::Size{200, 200}));
    // Resizing the scroll view keeps the magnification.
    scroll->setFrameSize({50, 100});
    EXPECT_EQ(scroll->contentView()->bounds().size, (gfx::Size{100, 200}));
    scroll->magnifyToFitRect({0, 0, 0, 10});  // nothing to fit
    EXPECT_EQ(scroll->magnification(), 0.5);
}

TEST(ScrollView, MagnifiedDocumentDrawsAndTakesPressesLarger)
{
    auto window = ui::Window::create({0, 0, 100, 100}, ui::StyleMask::titled);
    auto scroll = core::make<ui::ScrollView>(gfx::Rect{0, 0, 100, 100});
    window->contentView()->addSubview(scroll);
    auto document = core::make<Marked>(gfx::Rect{0, 0, 200, 200});
    scroll->setDocumentView(document);
    scroll->magnifyToFitRect({0, 0, 50, 50});
    EXPECT_EQ(scroll->magnification(), 2);
    EXPECT_EQ(scroll->documentVisibleRect(), (gfx::Rect{0, 0, 50, 50}));
    EXPECT_EQ(document->convertPointTo({10, 10}, nullptr), (gfx::Point{20, 20}));
    EXPECT_EQ(document->convertPoint({30, 50}, nullptr), (gfx::Point{15, 25}));

    auto image = window->snapshot();
    ASSERT_TRUE(image);
    // The 10-point marker covers 20 x 20 pixels at the bottom left (rows 80...99 from the top).
    EXPECT_TRUE(isRed(image->pixel(0, 99)));
    EXPECT_TRUE(isRed(image->pixel(19, 80)));
    EXPECT_FALSE(isRed(image->pixel(21, 90)));
    EXPECT_FALSE(isRed(image->pixel(10, 78)));

    const int number = window->windowNumber();
    window->sendEvent(ui::Event::mouseEvent(ui::EventType::leftMouseDown, {15, 5}, 0, 0, number, 1, 1));
    ASSERT_EQ(document->presses.size(), 1u);
    EXPECT_EQ(document->presses[0], (gfx::Point{7.5, 2.5}));

    // Scrolled and magnified: the document's point (100, 60) is at the clip view's bottom left.
    scroll->contentView()->scrollToPoint({100, 60});
    EXPECT_EQ(document->convertPointTo({100, 60}, nullptr), (gfx::Point{0, 0}));
    EXPECT_EQ(document->convertPointTo({110, 70}, scroll->contentView().get()), (gfx::Point{110, 70}));
    window->close();
}

}  // namespace
