// The framework's cursors come from its own pictures, with their hot spots, shared per picture.
#include <gtest/gtest.h>

#include "appkit/cursors.h"

namespace {

using kestrane::RectAnchor;
namespace Cursor = kestrane::Cursor;

TEST(Cursors, ShareOnePointerPerPicture)
{
    EXPECT_EQ(Cursor::resizeCursor(RectAnchor::topLeft), Cursor::resizeCursor(RectAnchor::bottomRight));
    EXPECT_EQ(Cursor::resizeCursor(RectAnchor::middleLeft), Cursor::resizeCursor(RectAnchor::middleRight));
    EXPECT_NE(Cursor::resizeCursor(RectAnchor::topLeft), Cursor::resizeCursor(RectAnchor::topRight));
    EXPECT_NE(Cursor::rotateCursor(RectAnchor::topLeft), Cursor::rotateCursor(RectAnchor::bottomRight));
    EXPECT_EQ(kestrane::MoveCursor(), kestrane::MoveCursor());
}

TEST(Cursors, ComeFromTheFrameworkPicturesWithTheirHotSpots)
{
    auto move = kestrane::MoveCursor();
    ASSERT_TRUE(move->image());
    EXPECT_EQ(move->hotSpot(), (gfx::Point{2, 0}));
    EXPECT_EQ(kestrane::DuplicateCursor()->hotSpot(), (gfx::Point{2, 0}));
    for (int raw = 0; raw < 8; ++raw) {
        auto resize = Cursor::resizeCursor(RectAnchor(raw));
        auto rotate = Cursor::rotateCursor(RectAnchor(raw));
        ASSERT_TRUE(resize->image() && rotate->image());
        EXPECT_EQ(resize->hotSpot(), (gfx::Point{10, 8}));
        EXPECT_EQ(rotate->hotSpot(), (gfx::Point{9, 9}));
    }
    EXPECT_EQ(Cursor::rotateCursor(RectAnchor::middleRight)->image()->size(), (gfx::Size{18, 18}));
}

}  // namespace
