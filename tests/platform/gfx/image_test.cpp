#include "platform/gfx/image.h"
#include "platform/gfx/image_scaling.h"

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

TEST(Image, ScalingAveragesWhatEachNewPixelCovers)
{
    // Left half red, right half blue, 8 × 4 pixels.
    std::vector<gfx::Pixel> pixels;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            pixels.push_back(x < 4 ? gfx::makePixel(255, 255, 0, 0) : gfx::makePixel(255, 0, 0, 255));
    const gfx::ImageRef image = gfx::Image::create(8, 4, pixels);
    EXPECT_EQ(gfx::scaledImage(image, 8, 4), image);

    const gfx::ImageRef half = gfx::scaledImage(image, 4, 2);
    ASSERT_TRUE(half);
    ASSERT_EQ(half->width(), 4);
    ASSERT_EQ(half->height(), 2);
    EXPECT_EQ(half->pixel(0, 0), gfx::makePixel(255, 255, 0, 0));
    EXPECT_EQ(half->pixel(3, 1), gfx::makePixel(255, 0, 0, 255));
    EXPECT_TRUE(half->isOpaque());

    EXPECT_FALSE(gfx::scaledImage(image, 0, 2));
    EXPECT_FALSE(gfx::scaledImage(nullptr, 4, 2));
}
