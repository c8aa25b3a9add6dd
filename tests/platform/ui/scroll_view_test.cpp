// Scroll views keep their clip view's position inside the document, scroll with the wheel and tell observers
// of a new document view.
#include <gtest/gtest.h>

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

}  // namespace
