#include <QImageReader>
#include <QMovie>

#include <cmath>

#include <gtest/gtest.h>

#include "platform/gfx/gif_codec.h"
#include "platform/gfx/image_reader.h"
#include "platform/gfx/image_writer.h"
#include "tests/platform/gfx/test_images.h"
#include "tests/support/temp_dir.h"

using namespace gfx;

namespace {

// A moving scene: a diagonal colour ramp that slides with the frame number, and a bright square crossing it.
ImageRef movingFrame(int index, int width, int height)
{
    std::vector<Pixel> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool square = std::abs(x - index * 4 - 10) < 8 && std::abs(y - height / 2) < 8;
            pixels.push_back(square ? makePixel(255, 250, 240, 30)
                                    : makePixel(255, std::uint8_t((x + index * 3) * 255 / (width + 90)),
                                                std::uint8_t(y * 255 / height), std::uint8_t(128 + index * 4)));
        }
    return Image::create(width, height, std::move(pixels));
}

// What a GIF's bytes say about the animation: the delays of its graphic control blocks and the NETSCAPE2.0
// loop count (-1 without one).
struct GIFFacts {
    std::vector<int> delays;
    int loopCount = -1;
};

GIFFacts readFacts(const core::Data& gif)
{
    GIFFacts facts;
    for (std::size_t i = 0; i + 19 < gif.size(); ++i) {
        if (gif[i] == 0x21 && gif[i + 1] == 0xF9 && gif[i + 2] == 4)
            facts.delays.push_back(gif[i + 4] | gif[i + 5] << 8);
        if (gif[i] == 0x21 && gif[i + 1] == 0xFF && gif[i + 2] == 11 &&
            std::string(reinterpret_cast<const char*>(&gif[i + 3]), 11) == "NETSCAPE2.0")
            facts.loopCount = gif[i + 16] | gif[i + 17] << 8;
    }
    return facts;
}

double psnr(const Image& a, const QImage& b)
{
    double squares = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Pixel p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            squares += std::pow(redOf(p) - qRed(q), 2) + std::pow(greenOf(p) - qGreen(q), 2) +
                       std::pow(blueOf(p) - qBlue(q), 2);
        }
    return 10 * std::log10(255.0 * 255.0 / (squares / (3.0 * a.width() * a.height())));
}

}  // namespace

TEST(AnimatedGIF, ThirtyFramesReadBackByQtWithDelaysAndEndlessLoop)
{
    testsupport::TempDir dir;
    const auto path = dir / "moving.gif";
    auto writer = ImageWriter::create(core::Url::fileURL(path.string()), ImageFileType::gif, 30);
    ASSERT_NE(writer, nullptr);
    writer->setFileProperties({.gifLoopCount = 0});
    std::vector<ImageRef> frames;
    std::vector<int> expectedDelays;
    for (int i = 0; i < 30; ++i) {
        frames.push_back(movingFrame(i, 160, 90));
        const double seconds = i == 0 ? -2.0 : i == 1 ? std::nan("") : 0.01 * (4 + i) + 0.003;
        writer->addImage(frames.back(), {.gifDelaySeconds = seconds});
        expectedDelays.push_back(i < 2 ? 0 : 4 + i);
    }
    ASSERT_TRUE(writer->finalize());

    QImageReader reader(QString::fromStdString(path.string()));
    EXPECT_EQ(reader.imageCount(), 30);
    QMovie movie(QString::fromStdString(path.string()));
    ASSERT_TRUE(movie.isValid());
    EXPECT_EQ(movie.frameCount(), 30);
    EXPECT_EQ(reader.loopCount(), -1);  // Qt's word for "for ever"
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(movie.jumpToFrame(i));
        const QImage frame = movie.currentImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(frame.size(), QSize(160, 90));
        EXPECT_GT(psnr(*frames[std::size_t(i)], frame), 30.0) << "frame " << i;
    }

    const auto bytes = core::readData(path.string());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 6), "GIF89a");
    const auto facts = readFacts(*bytes);
    EXPECT_EQ(facts.delays, expectedDelays);
    EXPECT_EQ(facts.loopCount, 0);

    const auto first = ImageReader::readData(*bytes);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->width(), 160);
}

TEST(AnimatedGIF, TransparencyLoopCountsAndFailures)
{
    std::vector<Pixel> pixels(64, makePixel(255, 0, 0, 200));
    std::fill(pixels.begin(), pixels.begin() + 8, makePixel(0, 0, 0, 0));
    const auto image = Image::create(8, 8, pixels);
    auto writer = ImageWriter::createInMemory(ImageFileType::gif, 2);
    writer->setFileProperties({.gifLoopCount = 3});
    writer->addImage(image, {.gifDelaySeconds = 0.5});
    writer->addImage(image, {.gifDelaySeconds = 1e6});
    ASSERT_TRUE(writer->finalize());
    const auto facts = readFacts(writer->data());
    EXPECT_EQ(facts.loopCount, 3);
    EXPECT_EQ(facts.delays, (std::vector<int>{50, 65535}));
    const auto first = ImageReader::readData(writer->data());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(alphaOf(first->pixel(3, 0)), 0);
    EXPECT_EQ(first->pixel(3, 1), makePixel(255, 0, 0, 200));

    // No loop extension unless asked; frames of differing sizes or a wrong count fail.
    auto once = ImageWriter::createInMemory(ImageFileType::gif, 1);
    once->addImage(image);
    ASSERT_TRUE(once->finalize());
    EXPECT_EQ(readFacts(once->data()).loopCount, -1);
    auto mixed = ImageWriter::createInMemory(ImageFileType::gif, 2);
    mixed->addImage(image);
    mixed->addImage(gfxtest::sceneWithMarker(4, 4, 0, 0));
    EXPECT_FALSE(mixed->finalize());
    auto short_ = ImageWriter::createInMemory(ImageFileType::gif, 3);
    short_->addImage(image);
    EXPECT_FALSE(short_->finalize());
}

TEST(AnimatedGIF, FramesGoToTheSinkAsTheyComeAndOnlyAFewAreHeld)
{
    std::size_t handed = 0;
    core::Data bytes;
    auto writer = ImageWriter::createStreaming(ImageFileType::gif, 40, [&](const core::Data& chunk) {
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
        ++handed;
        return true;
    });
    writer->setFileProperties({.gifLoopCount = 0});
    std::vector<std::weak_ptr<const Image>> added;
    const std::size_t held = codec::GIFEncoder::defaultParallel();
    for (int i = 0; i < 40; ++i) {
        auto frame = movingFrame(i, 160, 90);
        added.push_back(frame);
        writer->addImage(std::move(frame), {.gifDelaySeconds = 0.1});
        // Every frame more than a few behind the newest is written and let go.
        for (std::size_t k = 0; k + held + 1 <= added.size() - 1; ++k)
            EXPECT_TRUE(added[k].expired()) << i << " " << k;
        EXPECT_GE(writer->imagesEncoded() + held, std::size_t(i) + 1);
    }
    EXPECT_GT(handed, 1u) << "the file grows while frames come";
    EXPECT_LT(writer->imagesEncoded(), 40u);
    ASSERT_TRUE(writer->finalize());
    EXPECT_EQ(writer->imagesEncoded(), 40u);
    EXPECT_TRUE(writer->data().empty()) << "everything went to the sink";
    EXPECT_EQ(readFacts(bytes).delays, std::vector<int>(40, 10));

    // A sink that refuses fails the writing, from the first bytes or after a few frames (a disk that fills).
    auto refused = ImageWriter::createStreaming(ImageFileType::gif, 1, [](const core::Data&) { return false; });
    refused->addImage(movingFrame(0, 16, 16));
    EXPECT_FALSE(refused->finalize());
    std::size_t taken = 0;
    auto fills = ImageWriter::createStreaming(ImageFileType::gif, 20, [&](const core::Data&) { return ++taken <= 4; });
    for (int i = 0; i < 20; ++i)
        fills->addImage(movingFrame(i, 64, 48), {.gifDelaySeconds = 0.1});
    EXPECT_FALSE(fills->finalize());
    EXPECT_GT(taken, 4u) << "the sink refused part-way";
}
