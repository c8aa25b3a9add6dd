#include <filesystem>
#include <fstream>
#include <numbers>

#include <gtest/gtest.h>

#include "foundation/bitmap_image_file_type.h"
#include "foundation/image_encoding.h"
#include "foundation/image_metadata_keys.h"
#include "foundation/mirrored_images.h"
#include "tests/support/temp_dir.h"

using namespace kestrane;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

constexpr gfx::Pixel marker = gfx::makePixel(255, 255, 0, 0);

// 200 x 100, opaque grey, with a red 8 x 8 marker in the top-left corner.
gfx::ImageRef markedImage()
{
    std::vector<gfx::Pixel> pixels(200 * 100, gfx::makePixel(255, 90, 90, 90));
    for (int y = 0; y < 8; ++y)
        std::fill_n(pixels.begin() + y * 200, 8, marker);
    return gfx::Image::create(200, 100, std::move(pixels));
}

bool samePixels(const gfx::ImageRef& a, const gfx::ImageRef& b)
{
    return a && b && a->width() == b->width() && a->height() == b->height() &&
           std::equal(a->data(), a->data() + a->width() * a->height(), b->data());
}

}  // namespace

TEST(ImageFormat, RawValuesAndExtensions)
{
    EXPECT_EQ(fromRawValue(std::type_identity<ImageFormat>{}, 1), ImageFormat::jpg);
    EXPECT_EQ(fromRawValue(std::type_identity<ImageFormat>{}, 3), std::nullopt);
    EXPECT_EQ(fromRawValue(std::type_identity<ImageFormat>{}, -1), std::nullopt);
    EXPECT_EQ(fileExtension(ImageFormat::tiff), "tiff");
    EXPECT_EQ(fileExtension(ImageFormat::jpg), "jpg");
    EXPECT_EQ(rawValue(ImageFormat::tiff), 2);
    EXPECT_EQ(NSBitmapImageFileType::fromExtension("JPEG"), gfx::BitmapFileType::jpeg);
    EXPECT_EQ(NSBitmapImageFileType::fromExtension("tif"), std::nullopt);
    EXPECT_EQ(NSBitmapImageFileType::fromFileURL(core::Url::fileURL("/a/b.Png")), gfx::BitmapFileType::png);
}

TEST(ImageEncoding, MakingImagesRoundsSizesAndReportsFailures)
{
    const auto drawn = CGImage::drawWith(gfx::Size{10.5, 9.4}, [](gfx::Context& context) {
        context.setFillColor(gfx::Color::red());
        context.fillRect(gfx::Rect(0, 0, 1, 1));
    });
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->width(), 11);
    EXPECT_EQ(drawn->height(), 9);
    EXPECT_EQ(drawn->pixel(0, 8), marker);
    const auto empty = CGImage::emptyWith(100, 50);
    EXPECT_EQ(size(empty), (gfx::Size{100, 50}));
    EXPECT_EQ(empty->pixel(50, 25), 0u);

    CaptureStdout();
    EXPECT_EQ(CGImage::emptyWith(0, 10), nullptr);
    EXPECT_EQ(CGImage::drawWith(gfx::Size{-3, 4}, {}), nullptr);
    EXPECT_EQ(GetCapturedStdout(), "CGContext.createRGBBitmapContex cannot create context\n"
                                   "CGContext.createRGBBitmapContex cannot create context\n");
}

TEST(ImageEncoding, ApplyingScalesAndTurnsWithTheCallersMove)
{
    const auto small = CGImage::emptyWith(10, 20);
    const auto doubled = applying(small, gfx::AffineTransform::scaling(2, 2));
    EXPECT_EQ(size(doubled), (gfx::Size{20, 40}));

    // A quarter turn clockwise, moved back up into the new bitmap: the top-left marker goes top-right.
    const auto turn =
        gfx::concat(gfx::AffineTransform::rotation(-std::numbers::pi / 2), gfx::AffineTransform::translation(0, 200));
    const auto turned = applying(markedImage(), turn);
    ASSERT_EQ(size(turned), (gfx::Size{100, 200}));
    EXPECT_EQ(turned->pixel(99, 0), marker);
    EXPECT_NE(turned->pixel(91, 0), marker);
    EXPECT_NE(turned->pixel(99, 8), marker);
    EXPECT_EQ(drawnCopy(markedImage())->pixel(0, 0), marker);
}

TEST(ImageEncoding, EncodesAndReadsEveryFormat)
{
    const auto image = markedImage();
    for (auto format : {ImageFormat::png, ImageFormat::jpg, ImageFormat::tiff}) {
        const auto bytes = data(image, format);
        ASSERT_TRUE(bytes);
        const auto back = CGImage::image(*bytes);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(size(back), (gfx::Size{200, 100}));
        EXPECT_GT(gfx::redOf(back->pixel(0, 0)), 200);
    }
    EXPECT_TRUE(samePixels(CGImage::image(*PNGData(image)), image));
    EXPECT_LT(JPEGData(image, 0.5)->size(), JPEGData(image)->size());
    EXPECT_EQ(TIFFData(image)->at(0), 'I');
    EXPECT_EQ(CGImage::image(core::Data{1, 2, 3}), nullptr);
}

TEST(ImageEncoding, WritingKeepsTheOldFileUntilTheNewOneIsComplete)
{
    testsupport::TempDir dir;
    const auto url = core::Url::fileURL((dir / "snap.png").string());
    {
        std::ofstream(url.path()) << "an older snap";
    }
    EXPECT_TRUE(write(markedImage(), ImageFormat::png, url));
    EXPECT_TRUE(samePixels(CGImage::image(url), markedImage()));
    // An image that cannot be encoded leaves the file as it was.
    EXPECT_FALSE(writeAsTIFF(nullptr, url));
    EXPECT_TRUE(samePixels(CGImage::image(url), markedImage()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_TRUE(writeAsJPEG(markedImage(), core::Url::fileURL((dir / "a.jpg").string()), 0.5));

    const auto missing = core::Url::fileURL((dir / "no" / "a.png").string());
    CaptureStdout();
    EXPECT_FALSE(writeAsPNG(markedImage(), missing));
    EXPECT_EQ(GetCapturedStdout(),
              "CGImageDestinationCreateWithURL cannot create dest at URL " + missing.absoluteString() + "\n");
}

TEST(MirroredImages, KeepTheirExtent)
{
    const auto placed = gfx::TransformedImage::of(markedImage());
    const auto h = horizontallyMirrored(placed);
    EXPECT_EQ(h.extent, gfx::Rect(0, 0, 200, 100));
    EXPECT_EQ(gfx::applying(gfx::Point{0, 0}, h.transform), (gfx::Point{200, 0}));
    const auto v = verticallyMirrored(gfx::applying(placed, gfx::AffineTransform::translation(5, 5)));
    EXPECT_EQ(v.extent, gfx::Rect(5, 5, 200, 100));
    EXPECT_EQ(gfx::applying(gfx::Point{0, 0}, v.transform), (gfx::Point{5, 105}));
}

TEST(ImageMetadataKeys, NamesAndKeys)
{
    EXPECT_EQ(ExifExposureTimeKey, "ExposureTime");
    EXPECT_EQ(ExifSubsecTimeOrginalKey, "SubsecTimeOriginal");
    EXPECT_EQ(ExifAuxLensModelKey, "LensModel");
    EXPECT_EQ(GPSDifferentalKey, "Differental");
    EXPECT_EQ(GPSVersionKey, "GPSVersion");
}
