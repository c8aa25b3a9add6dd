// Picture helpers: geometry of the largest bitmap, tinting, and encoding that fails cleanly without a bitmap.
#include <gtest/gtest.h>

#include <filesystem>

#include "appkit/image_extensions.h"
#include "tests/support/temp_dir.h"

namespace {

gfx::ImageRef filled(int width, int height, gfx::Pixel pixel)
{
    return gfx::Image::create(width, height, std::vector<gfx::Pixel>(std::size_t(width * height), pixel));
}

TEST(ImageExtensions, MeasuresTheLargestRepresentationSideBySide)
{
    auto picture = kestrane::pictureWithCGImage(filled(100, 400, 0xff000000u));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), (gfx::Size{100, 400}));
    picture->addRepresentation(filled(300, 200, 0xff000000u));
    EXPECT_EQ(kestrane::maxRepSize(*picture), (gfx::Size{300, 400}));
    EXPECT_EQ(kestrane::maxRepRect(*picture), (gfx::Rect{0, 0, 300, 400}));
    EXPECT_TRUE(kestrane::hasRepresentation(*picture));
    EXPECT_EQ(kestrane::pictureWithCGImage(nullptr), nullptr);
}

TEST(ImageExtensions, TintsOnlyTheOpaqueParts)
{
    std::vector<gfx::Pixel> pixels(16, 0);
    pixels[5] = 0xff000000u;  // one black pixel on a transparent ground
    auto picture = kestrane::pictureWithCGImage(gfx::Image::create(4, 4, pixels));
    auto tinted = kestrane::tintedImage(*picture, gfx::Color::rgb(1, 0, 0));
    auto bitmap = kestrane::toCGImage(*tinted);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->width(), 4);
    EXPECT_EQ(bitmap->pixel(1, 1), 0xffff0000u);
    EXPECT_EQ(gfx::alphaOf(bitmap->pixel(0, 0)), 0);
    EXPECT_EQ(kestrane::toCGImage(*picture)->pixel(1, 1), 0xff000000u);  // the original is unchanged
}

TEST(ImageExtensions, WritesNothingForAPictureWithoutBitmap)
{
    testsupport::TempDir dir;
    auto plain = kestrane::pictureWithSize({8, 8}, gfx::Color::red());
    EXPECT_FALSE(kestrane::toBitmapRep(*plain));
    EXPECT_FALSE(kestrane::PNGData(*plain));
    const auto path = dir.path() / "plain.png";
    EXPECT_FALSE(kestrane::write(*plain, kestrane::ImageFormat::png, core::Url::fileURL(path.string())));
    EXPECT_FALSE(std::filesystem::exists(path));

    auto bitmap = kestrane::pictureWithCGImage(filled(8, 8, 0xff00ff00u));
    const auto written = dir.path() / "green.png";
    EXPECT_TRUE(kestrane::write(*bitmap, kestrane::ImageFormat::png, core::Url::fileURL(written.string())));
    EXPECT_GT(std::filesystem::file_size(written), 0u);
}

TEST(ImageExtensions, NamesTheStandardPictures)
{
    // The preference panes' toolbar icon must be there; the desktop supplies it or a stand-in.
    auto general = kestrane::Picture::preferencesGeneralImage();
    ASSERT_TRUE(general);
    EXPECT_TRUE(kestrane::hasRepresentation(*general));
    EXPECT_TRUE(kestrane::Picture::cautionImage());
}

}  // namespace
