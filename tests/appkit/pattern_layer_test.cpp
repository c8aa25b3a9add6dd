// The checkerboard tiles its bounds, and a change of its cell or colours shows at the next draw.
#include <gtest/gtest.h>

#include "appkit/pattern_layer.h"
#include "platform/gfx/bitmap_context.h"

namespace {

// The layer drawn into a fresh 20 × 20 bitmap; rows of the image run from the top.
gfx::ImageRef draw(kestrane::CheckerboardLayer& layer)
{
    auto context = gfx::BitmapContext::create(20, 20, gfx::AlphaInfo::premultipliedFirst);
    layer.drawInContext(*context);
    return context->makeImage();
}

constexpr gfx::Pixel white = 0xffffffffu;

// An opaque gray of level 0.7, give or take the rounding of 178.5.
bool isGray(gfx::Pixel pixel)
{
    const int blue = int(pixel & 0xff);
    return (pixel >> 24) == 0xff && (blue == 178 || blue == 179) && ((pixel >> 8) & 0xff) == unsigned(blue);
}

TEST(CheckerboardLayer, TilesFiveByFiveSquaresWithGrayAtTheLowerLeft)
{
    auto layer = core::make<kestrane::CheckerboardLayer>();
    layer->setBounds({0, 0, 20, 20});
    auto image = draw(*layer);
    EXPECT_TRUE(isGray(image->pixel(2, 17)));  // lower-left square of the first cell
    EXPECT_EQ(image->pixel(7, 17), white);     // to its right
    EXPECT_EQ(image->pixel(2, 12), white);     // above it
    EXPECT_TRUE(isGray(image->pixel(7, 12)));  // diagonally opposite
    EXPECT_TRUE(isGray(image->pixel(12, 7)));  // the next cell up and to the right repeats
}

TEST(CheckerboardLayer, RedrawsWithTheNewCellAndColours)
{
    auto layer = core::make<kestrane::CheckerboardLayer>();
    layer->setBounds({0, 0, 20, 20});
    draw(*layer);
    layer->setCellSize({20, 8});
    layer->setColor1(gfx::Color::rgb(1, 0, 0));
    auto image = draw(*layer);
    EXPECT_EQ(image->pixel(8, 17), 0xffff0000u);  // squares are now 10 × 4
    EXPECT_EQ(image->pixel(12, 17), white);
    EXPECT_EQ(image->pixel(8, 14), white);
    EXPECT_EQ(image->pixel(12, 14), 0xffff0000u);
}

TEST(CheckerboardLayer, SkipsTheFillForAnEmptyCell)
{
    auto layer = core::make<kestrane::CheckerboardLayer>();
    layer->setBounds({0, 0, 20, 20});
    layer->setCellSize({0, 0});
    EXPECT_EQ(gfx::alphaOf(draw(*layer)->pixel(5, 5)), 0);
}

}  // namespace

namespace {

TEST(PatternLayerDeathTest, StopsWhenTheCellIsNotDefined)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto layer = core::make<kestrane::PatternLayer>();
            layer->setBounds({0, 0, 20, 20});
            auto context = gfx::BitmapContext::create(20, 20, gfx::AlphaInfo::premultipliedFirst);
            layer->drawInContext(*context);
        },
        "patternSize\\(\\) should be overriden by subclass");
}

}  // namespace
