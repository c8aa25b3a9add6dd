#include "platform/gfx/image.h"

#include <gtest/gtest.h>

using namespace gfx;

TEST(Image, CreateChecksSizesAndReadsOpacity)
{
    EXPECT_EQ(Image::create(0, 1, {}), nullptr);
    EXPECT_EQ(Image::create(2, 2, std::vector<Pixel>(3)), nullptr);
    const auto opaque = Image::create(2, 1, {makePixel(255, 1, 2, 3), makePixel(255, 4, 5, 6)});
    ASSERT_NE(opaque, nullptr);
    EXPECT_TRUE(opaque->isOpaque());
    EXPECT_EQ(redOf(opaque->pixel(1, 0)), 4);
    EXPECT_EQ(opaque->bytesPerRow(), 8);
    const auto clear = Image::create(1, 2, {makePixel(255, 0, 0, 0), makePixel(10, 10, 0, 0)});
    EXPECT_FALSE(clear->isOpaque());
    EXPECT_EQ(alphaOf(clear->row(1)[0]), 10);
}
