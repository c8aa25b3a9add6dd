#include <QImage>
#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

#include "platform/gfx/image_reader.h"
#include "platform/gfx/image_writer.h"
#include "tests/platform/gfx/test_images.h"
#include "tests/support/temp_dir.h"

using namespace gfx;
using gfxtest::markerPixel;

namespace {

bool writeFile(const ImageRef& image, const std::filesystem::path& path, ImageFileType type,
               const FrameProperties& properties = {})
{
    auto writer = ImageWriter::create(core::Url::fileURL(path.string()), type, 1);
    if (!writer) return false;
    writer->addImage(image, properties);
    return writer->finalize();
}

core::Data encoded(const ImageRef& image, ImageFileType type, const FrameProperties& properties = {})
{
    auto writer = ImageWriter::createInMemory(type, 1);
    writer->addImage(image, properties);
    EXPECT_TRUE(writer->finalize());
    return writer->data();
}

int largestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return largest;
}

// Half-transparent and fully transparent pixels next to opaque ones, premultiplied.
ImageRef translucentImage()
{
    return Image::create(3, 1, {makePixel(128, 64, 32, 0), makePixel(0, 0, 0, 0), makePixel(255, 10, 20, 30)});
}

}  // namespace

TEST(ImageFiles, PNGAndJPEGReadBackByQtWithTheMarkerInPlace)
{
    testsupport::TempDir dir;
    const auto scene = gfxtest::sceneWithMarker(64, 48, 63, 0);
    const QImage expected = gfxtest::toQImage(*scene);

    ASSERT_TRUE(writeFile(scene, dir / "a.png", ImageFileType::png));
    const QImage png = gfxtest::readWithQt((dir / "a.png").string());
    ASSERT_EQ(png.size(), QSize(64, 48));
    EXPECT_EQ(largestDifference(png, expected), 0);
    EXPECT_EQ(png.pixel(63, 0), QRgb(markerPixel));

    ASSERT_TRUE(writeFile(scene, dir / "a.jpg", ImageFileType::jpeg));
    const QImage jpeg = gfxtest::readWithQt((dir / "a.jpg").string());
    ASSERT_EQ(jpeg.size(), QSize(64, 48));
    const auto [x, y] = gfxtest::reddestPixel(jpeg);
    EXPECT_GE(x, 62);
    EXPECT_LE(y, 1);
    // Away from the marker, quality 1 keeps every component within a few steps.
    EXPECT_LE(largestDifference(jpeg.copy(0, 8, 48, 40), expected.copy(0, 8, 48, 40)), 6);
}

TEST(ImageFiles, OwnReaderGivesBackEveryLosslessFormatExactly)
{
    const auto scene = gfxtest::sceneWithMarker(17, 9, 0, 8);
    for (auto type : {ImageFileType::png, ImageFileType::tiff}) {
        for (const auto& image : {scene, translucentImage()}) {
            const auto decoded = ImageReader::readData(encoded(image, type, {.tiffCompression = 5}));
            ASSERT_NE(decoded, nullptr);
            ASSERT_EQ(decoded->width(), image->width());
            EXPECT_EQ(std::vector<Pixel>(decoded->data(), decoded->data() + decoded->width() * decoded->height()),
                      std::vector<Pixel>(image->data(), image->data() + image->width() * image->height()));
        }
    }
    const auto jpeg = ImageReader::readData(encoded(scene, ImageFileType::jpeg));
    ASSERT_NE(jpeg, nullptr);
    EXPECT_TRUE(jpeg->isOpaque());
    EXPECT_EQ(jpeg->height(), 9);
}

TEST(ImageFiles, PNGHoldsStraightAlphaAndDropsItWhenOpaque)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(writeFile(translucentImage(), dir / "t.png", ImageFileType::png));
    const QImage png = gfxtest::readWithQt((dir / "t.png").string());
    EXPECT_EQ(png.pixel(0, 0), qRgba(128, 64, 0, 128));
    EXPECT_EQ(qAlpha(png.pixel(1, 0)), 0);
    EXPECT_EQ(png.pixel(2, 0), qRgba(10, 20, 30, 255));

    // Colour type in the IHDR chunk: 6 is RGBA, 2 is RGB.
    EXPECT_EQ(encoded(translucentImage(), ImageFileType::png).at(25), 6);
    EXPECT_EQ(encoded(gfxtest::sceneWithMarker(4, 4, 0, 0), ImageFileType::png).at(25), 2);
}

TEST(ImageFiles, TIFFIsLZWWithStraightAlpha)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(writeFile(translucentImage(), dir / "t.tiff", ImageFileType::tiff, {.tiffCompression = 5}));
    TIFF* tiff = TIFFOpen((dir / "t.tiff").c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    std::uint16_t compression = 0, samples = 0, extraCount = 0;
    std::uint16_t* extra = nullptr;
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &compression);
    TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extra);
    EXPECT_EQ(compression, COMPRESSION_LZW);
    ASSERT_EQ(samples, 4);
    ASSERT_EQ(extraCount, 1);
    EXPECT_EQ(extra[0], EXTRASAMPLE_UNASSALPHA);
    std::vector<std::uint8_t> row(std::size_t(TIFFScanlineSize(tiff)));
    ASSERT_EQ(TIFFReadScanline(tiff, row.data(), 0, 0), 1);
    TIFFClose(tiff);
    EXPECT_EQ(std::vector<std::uint8_t>(row.begin(), row.begin() + 12),
              (std::vector<std::uint8_t>{128, 64, 0, 128, 0, 0, 0, 0, 10, 20, 30, 255}));
}

TEST(ImageFiles, ATIFFWhoseStripDoesNotDecodeGivesNoImage)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(
        writeFile(gfxtest::sceneWithMarker(40, 30, 1, 1), dir / "t.tiff", ImageFileType::tiff, {.tiffCompression = 5}));
    TIFF* tiff = TIFFOpen((dir / "t.tiff").c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    toff_t* offsets = nullptr;
    toff_t* counts = nullptr;
    ASSERT_TRUE(TIFFGetField(tiff, TIFFTAG_STRIPOFFSETS, &offsets));
    ASSERT_TRUE(TIFFGetField(tiff, TIFFTAG_STRIPBYTECOUNTS, &counts));
    const std::size_t offset = std::size_t(offsets[0]), count = std::size_t(counts[0]);
    TIFFClose(tiff);
    auto data = core::readData((dir / "t.tiff").string());
    ASSERT_TRUE(data);
    ASSERT_NE(ImageReader::readData(*data), nullptr);
    // Codes past the end of the LZW table from the strip's second byte on.
    std::fill(data->begin() + long(offset) + 1, data->begin() + long(offset + count), std::uint8_t(0xff));
    EXPECT_EQ(ImageReader::readData(*data), nullptr);
}

TEST(ImageFiles, QualityAndDelayConversions)
{
    EXPECT_EQ(jpegQualityPercent(1.0), 100);
    EXPECT_EQ(jpegQualityPercent(0.555), 56);
    EXPECT_EQ(jpegQualityPercent(-3), 0);
    EXPECT_EQ(jpegQualityPercent(7), 100);
    EXPECT_EQ(jpegQualityPercent(std::nan("")), 100);
    EXPECT_EQ(gifDelayHundredths(0.25), 25);
    EXPECT_EQ(gifDelayHundredths(0.126), 13);
    EXPECT_EQ(gifDelayHundredths(-1), 0);
    EXPECT_EQ(gifDelayHundredths(std::nan("")), 0);
    EXPECT_EQ(gifDelayHundredths(1e9), 65535);

    const auto scene = gfxtest::sceneWithMarker(64, 64, 3, 3);
    const auto best = encoded(scene, ImageFileType::jpeg, {.jpegQuality = 1.0});
    EXPECT_LT(encoded(scene, ImageFileType::jpeg, {.jpegQuality = 0.5}).size(), best.size());
    EXPECT_EQ(encoded(scene, ImageFileType::jpeg, {.jpegQuality = std::nan("")}), best);
}

// Sum of squared component differences, alpha left out.
double squaredError(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += d * d;
        }
    return sum;
}

TEST(ImageFiles, JPEGSizeGrowsAndErrorShrinksWithQualityAlsoWhereColourGoesFullResolution)
{
    testsupport::TempDir dir;
    const auto scene = gfxtest::sceneWithMarker(96, 64, 10, 10);
    const QImage expected = gfxtest::toQImage(*scene);
    double lastError = INFINITY;
    std::uintmax_t lastSize = 0;
    for (const double quality : {0.5, 0.79, 0.8, 0.9, 1.0}) {
        SCOPED_TRACE(quality);
        const auto path = dir / "q.jpg";
        ASSERT_TRUE(writeFile(scene, path, ImageFileType::jpeg, {.jpegQuality = quality}));
        const double error = squaredError(gfxtest::readWithQt(path.string()), expected);
        const auto size = std::filesystem::file_size(path);
        EXPECT_LT(error, lastError);
        EXPECT_GT(size, lastSize);
        lastError = error;
        lastSize = size;
    }
}

TEST(ImageFiles, WritingReplacesWholeFilesOrLeavesThemAlone)
{
    testsupport::TempDir dir;
    const auto path = dir / "keep.png";
    {
        std::ofstream(path) << "old contents";
    }
    const auto scene = gfxtest::sceneWithMarker(8, 8, 0, 0);

    // Two images for a one-image file: finalize fails and the old file stays as it was, with no leftovers.
    auto failing = ImageWriter::create(core::Url::fileURL(path.string()), ImageFileType::png, 1);
    failing->addImage(scene);
    failing->addImage(scene);
    EXPECT_FALSE(failing->finalize());
    EXPECT_EQ(std::filesystem::file_size(path), 12u);
    auto nullImage = ImageWriter::create(core::Url::fileURL(path.string()), ImageFileType::png, 1);
    nullImage->addImage(nullptr);
    EXPECT_FALSE(nullImage->finalize());
    auto badCompression = ImageWriter::create(core::Url::fileURL(path.string()), ImageFileType::tiff, 1);
    badCompression->addImage(scene, {.tiffCompression = 999});
    EXPECT_FALSE(badCompression->finalize());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_EQ(std::filesystem::file_size(path), 12u);

    ASSERT_TRUE(writeFile(scene, path, ImageFileType::png));
    EXPECT_NE(ImageReader::read(core::Url::fileURL(path.string())), nullptr);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    EXPECT_EQ(ImageWriter::create(core::Url::fileURL((dir / "missing" / "a.png").string()), ImageFileType::png, 1),
              nullptr);
    // A folder that cannot take the file: the writer exists but finalizing fails.
    auto intoFolder = ImageWriter::create(core::Url::fileURL(dir.path().string()), ImageFileType::png, 1);
    if (intoFolder) {
        intoFolder->addImage(scene);
        EXPECT_FALSE(intoFolder->finalize());
    }
}

TEST(ImageFiles, EveryReaderRefusesEmptyTruncatedAndRandomBytes)
{
    EXPECT_EQ(ImageReader::readData({}), nullptr);
    EXPECT_EQ(ImageReader::read(core::Url::fileURL("/nonexistent/file.png")), nullptr);
    std::mt19937 random(7);
    const auto scene = gfxtest::sceneWithMarker(40, 30, 1, 1);
    for (auto type : {ImageFileType::png, ImageFileType::jpeg, ImageFileType::tiff, ImageFileType::gif}) {
        const core::Data whole = encoded(scene, type, {.tiffCompression = 5});
        ASSERT_NE(ImageReader::readData(whole), nullptr);
        // Cut short anywhere before the last few bytes (the end markers): no image, never one whose missing
        // rows are made up.
        for (std::size_t length = 1; length + 16 < whole.size(); length += length < 16 ? 3 : whole.size() / 23 + 1)
            EXPECT_EQ(ImageReader::readData(core::Data(whole.begin(), whole.begin() + long(length))), nullptr)
                << int(type) << " cut to " << length << " of " << whole.size() << " bytes";
        // The right first bytes followed by noise, and bytes flipped inside a valid file. PNG checks its data:
        // damage gives no image or, in a chunk the picture does not need, the same picture.
        const auto original = ImageReader::readData(whole);
        for (int round = 0; round < 30; ++round) {
            core::Data noisy(whole.begin(), whole.begin() + 8);
            for (int i = 0; i < 600; ++i)
                noisy.push_back(std::uint8_t(random()));
            ImageReader::readData(noisy);
            core::Data damaged = whole;
            for (int i = 0; i < 5; ++i)
                damaged[8 + random() % (damaged.size() - 8)] = std::uint8_t(random());
            const auto image = ImageReader::readData(damaged);
            if (image && type == ImageFileType::png) {
                ASSERT_EQ(image->width() * image->height(), original->width() * original->height());
                EXPECT_TRUE(
                    std::equal(image->data(), image->data() + image->width() * image->height(), original->data()));
            }
        }
    }
    core::Data noise;
    for (int i = 0; i < 4096; ++i)
        noise.push_back(std::uint8_t(random()));
    EXPECT_EQ(ImageReader::readData(noise), nullptr);
}

TEST(ImageFiles, PNGOfEveryKindReadsItsSamplesAsStored)
{
    testsupport::TempDir dir;
    QImage deep(2, 1, QImage::Format_RGBA64);
    deep.fill(QColor::fromRgba64(0x8080, 0x4040, 0xC0C0, 0xffff));
    QImage gray(2, 1, QImage::Format_Grayscale8);
    gray.fill(QColor(77, 77, 77));
    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 200, 30), qRgba(0, 0, 0, 0)});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    const std::vector<std::pair<QImage, std::pair<Pixel, Pixel>>> cases{
        {deep, {makePixel(255, 0x80, 0x40, 0xC0), makePixel(255, 0x80, 0x40, 0xC0)}},
        {gray, {makePixel(255, 77, 77, 77), makePixel(255, 77, 77, 77)}},
        {indexed, {makePixel(255, 10, 200, 30), 0u}},
    };
    for (const auto& [qimage, expected] : cases) {
        const auto path = dir / "kind.png";
        ASSERT_TRUE(qimage.save(QString::fromStdString(path.string()), "PNG"));
        const auto image = ImageReader::read(core::Url::fileURL(path.string()));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->pixel(0, 0), expected.first);
        EXPECT_EQ(image->pixel(1, 0), expected.second);
    }
}
