#include <QImage>
#include <tiffio.h>

#include <numbers>

#include <gtest/gtest.h>

#include "platform/gfx/bitmap_context.h"
#include "platform/gfx/image_reader.h"
#include "platform/gfx/image_writer.h"
#include "tests/platform/gfx/test_images.h"
#include "tests/support/temp_dir.h"

using namespace gfx;

namespace {

// The scene with its marker in the top-left corner and a half-transparent band along its bottom row,
// drawn turned a quarter clockwise: the marker lands in the top-right corner, the band along the left edge.
ImageRef turnedScene()
{
    const int width = 64, height = 48;
    const auto plain = gfxtest::sceneWithMarker(width, height, 0, 0);
    auto pixels = std::vector<Pixel>(plain->data(), plain->data() + width * height);
    for (int x = 0; x < width; ++x)
        pixels[std::size_t((height - 1) * width + x)] = makePixel(128, 0, 64, 32);
    const auto scene = Image::create(width, height, std::move(pixels));
    auto context = BitmapContext::create(height, width, AlphaInfo::premultipliedFirst);
    context->translateBy(0, width);
    context->rotate(-std::numbers::pi / 2);
    context->drawImage(scene, Rect(0, 0, width, height));
    return context->makeImage();
}

// The straight RGBA of the TIFF's top-right and top-left pixels, read through libtiff's scanline interface.
std::vector<std::uint8_t> tiffTopRow(const std::string& path)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff) return {};
    std::vector<std::uint8_t> row(std::size_t(TIFFScanlineSize(tiff)));
    TIFFReadScanline(tiff, row.data(), 0, 0);
    TIFFClose(tiff);
    return row;
}

}  // namespace

TEST(ImageRoundTrip, TurnedDrawingWrittenAndReadBackElsewhere)
{
    const auto turned = turnedScene();
    ASSERT_EQ(turned->width(), 48);
    ASSERT_EQ(turned->height(), 64);
    EXPECT_EQ(turned->pixel(47, 0), gfxtest::markerPixel);
    EXPECT_EQ(turned->pixel(0, 10), makePixel(128, 0, 64, 32));

    testsupport::TempDir dir;
    for (auto type : {ImageFileType::png, ImageFileType::jpeg, ImageFileType::tiff}) {
        const auto path = dir / (type == ImageFileType::png    ? "t.png"
                                 : type == ImageFileType::jpeg ? "t.jpg"
                                                               : "t.tif");
        auto writer = ImageWriter::create(core::Url::fileURL(path.string()), type, 1);
        writer->addImage(turned, {.jpegQuality = 1.0, .tiffCompression = 5});
        ASSERT_TRUE(writer->finalize());

        if (type == ImageFileType::tiff) {
            const auto row = tiffTopRow(path.string());
            ASSERT_EQ(row.size(), 48u * 4);
            EXPECT_EQ(std::vector<std::uint8_t>(row.end() - 4, row.end()), (std::vector<std::uint8_t>{255, 0, 0, 255}));
            EXPECT_EQ(std::vector<std::uint8_t>(row.begin(), row.begin() + 4),
                      (std::vector<std::uint8_t>{0, 128, 64, 128}));
            continue;
        }
        const QImage read = gfxtest::readWithQt(path.string());
        ASSERT_EQ(read.size(), QSize(48, 64));
        const auto [x, y] = gfxtest::reddestPixel(read);
        EXPECT_GE(x, 46);
        EXPECT_LE(y, 1);
        if (type == ImageFileType::png) {
            EXPECT_EQ(read.pixel(47, 0), QRgb(gfxtest::markerPixel));
            EXPECT_EQ(read.pixel(0, 20), qRgba(0, 128, 64, 128));  // straight alpha
        } else {
            // Opaque, colours within JPEG's error away from the marker and the band.
            const QRgb p = read.pixel(20, 30), q = turned->pixel(20, 30);
            EXPECT_EQ(qAlpha(p), 255);
            EXPECT_NEAR(qRed(p), qRed(q), 6);
            EXPECT_NEAR(qGreen(p), qGreen(q), 6);
            EXPECT_NEAR(qBlue(p), qBlue(q), 6);
        }
    }
}
