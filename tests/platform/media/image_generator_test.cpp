#include "platform/core/error.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "platform/media/media_error.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using media::Time;

namespace {

media::AssetRef assetNamed(const std::string& name)
{
    return media::Asset::create(core::Url::fileURL(mediatest::moviePath(name)));
}

// Frame k of a 30000/1001 movie, plus half a frame.
Time middleOfFrame(int k) { return Time::make(2 * k * 1001 + 1001, 60000); }

void expectColourNear(gfx::Pixel p, int r, int g, int b)
{
    EXPECT_NEAR(gfx::redOf(p), r, 10);
    EXPECT_NEAR(gfx::greenOf(p), g, 10);
    EXPECT_NEAR(gfx::blueOf(p), b, 10);
    EXPECT_EQ(gfx::alphaOf(p), 255);
}

}  // namespace

TEST(ImageGenerator, MaximumSizeScalesDownKeepingProportionsAndNeverUp)
{
    auto generator = mediatest::exactGenerator(assetNamed("h264.mp4"));
    generator->setMaximumSize({80, 0});
    auto small = generator->copyImage(middleOfFrame(5));
    EXPECT_EQ(small->width(), 80);
    EXPECT_EQ(small->height(), 60);
    EXPECT_EQ(testmovie::readFrameIndex(*small), 5);
    generator->setMaximumSize({1000, 1000});
    auto full = generator->copyImage(middleOfFrame(6));
    EXPECT_EQ(full->width(), 160);
    EXPECT_EQ(full->height(), 120);
    generator->setMaximumSize({100, 30});
    auto bounded = generator->copyImage(middleOfFrame(7));
    EXPECT_EQ(bounded->width(), 40);
    EXPECT_EQ(bounded->height(), 30);
}

TEST(ImageGenerator, FramesComeAtTheirDisplaySize)
{
    auto generator = mediatest::exactGenerator(assetNamed("anamorphic.mp4"));
    auto image = generator->copyImage(middleOfFrame(3));
    EXPECT_EQ(image->width(), 213);
    EXPECT_EQ(image->height(), 120);
    EXPECT_EQ(testmovie::readFrameIndex(*image), 3);
    generator->setMaximumSize({80, 80});
    auto small = generator->copyImage(middleOfFrame(3));
    EXPECT_EQ(small->width(), 80);
    EXPECT_EQ(small->height(), 45);
}

// One rule for the pixel shape: the container's statement first, then the bitstream's.
TEST(ImageGenerator, TheContainersPixelShapeComesFirstInTheAssetAndEveryGrab)
{
    auto asset = assetNamed("tool-sar-bitstream.mp4");
    const auto tracks = asset->tracks(media::MediaType::video);
    ASSERT_EQ(tracks.size(), 1u);
    EXPECT_EQ(tracks[0]->naturalSize().width, 160);
    EXPECT_EQ(tracks[0]->naturalSize().height, 120);
    auto exact = mediatest::exactGenerator(asset);
    auto quick = media::ImageGenerator::create(asset);
    for (int k : {0, 7, 30}) {
        for (const auto& generator : {exact, quick}) {
            auto image = generator->copyImage(middleOfFrame(k));
            EXPECT_EQ(image->width(), 160);
            EXPECT_EQ(image->height(), 120);
        }
    }
}

TEST(ImageGenerator, ThePreferredTransformAppliesOnlyWhenAsked)
{
    auto asset = assetNamed("rotated.mp4");
    auto generator = mediatest::exactGenerator(asset);
    auto upright = generator->copyImage(middleOfFrame(9));
    EXPECT_EQ(upright->width(), 160);
    EXPECT_EQ(testmovie::readFrameIndex(*upright), 9);
    generator->setAppliesPreferredTrackTransform(true);
    generator->setMaximumSize({60, 0});
    auto turned = generator->copyImage(middleOfFrame(9));
    // A quarter turn clockwise, then fitted into 60 points of width.
    EXPECT_EQ(turned->width(), 60);
    EXPECT_EQ(turned->height(), 80);
    generator->setMaximumSize({});
    turned = generator->copyImage(middleOfFrame(9));
    ASSERT_EQ(turned->width(), 120);
    ASSERT_EQ(turned->height(), 160);
    for (int y = 0; y < 120; y += 7)
        for (int x = 0; x < 160; x += 9)
            EXPECT_EQ(turned->pixel(119 - y, x), upright->pixel(x, y));
}

TEST(ImageGenerator, ColoursFollowTheStreamsMatrixAndRange)
{
    for (const char* name : {"h264.mp4", "bt709.mp4", "mjpeg.mov", "prores.mov", "vp9.webm"}) {
        SCOPED_TRACE(name);
        auto image = mediatest::exactGenerator(assetNamed(name))->copyImage(Time::zero());
        expectColourNear(testmovie::readStripColour(*image), testmovie::stripRed, testmovie::stripGreen,
                         testmovie::stripBlue);
    }
}

TEST(ImageGenerator, TolerancesPickKeyFramesOrTheFirstFrameInTheWindow)
{
    auto asset = assetNamed("h264.mp4");  // key frames every 12 frames
    auto quick = media::ImageGenerator::create(asset);
    Time actual;
    auto key = quick->copyImage(middleOfFrame(17), &actual);
    EXPECT_EQ(testmovie::readFrameIndex(*key), 12);
    EXPECT_EQ(actual, Time::make(12 * 1001, 30000));

    auto windowed = media::ImageGenerator::create(asset);
    windowed->setRequestedTimeToleranceBefore(Time::make(2 * 1001, 30000));
    windowed->setRequestedTimeToleranceAfter(Time::zero());
    auto near = windowed->copyImage(Time::make(17 * 1001, 30000), &actual);
    int index = testmovie::readFrameIndex(*near);
    EXPECT_GE(index, 15);
    EXPECT_LE(index, 17);
    EXPECT_EQ(actual, Time::make(index * 1001, 30000));

    // Only later frames inside the window: the first of them.
    windowed->setRequestedTimeToleranceBefore(Time::zero());
    windowed->setRequestedTimeToleranceAfter(Time::make(1, 1));
    auto after = windowed->copyImage(middleOfFrame(20), &actual);
    EXPECT_EQ(testmovie::readFrameIndex(*after), 21);
    EXPECT_EQ(actual, Time::make(21 * 1001, 30000));
}

TEST(ImageGenerator, TimesOutsideTheMovieThrowAndLeaveTheGeneratorUsable)
{
    auto asset = assetNamed("h264.mp4");
    auto generator = mediatest::exactGenerator(asset);
    try {
        generator->copyImage(Time::make(-1, 30000));
        FAIL() << "a negative time must throw";
    } catch (const core::Error& error) {
        EXPECT_EQ(error.domain(), media::errorDomain);
        EXPECT_EQ(error.code(), media::timeOutOfRange);
    }
    EXPECT_THROW(generator->copyImage(asset->duration() + Time::make(1, 1000000)), core::Error);
    EXPECT_THROW(generator->copyImage(Time::invalid()), core::Error);
    EXPECT_THROW(generator->copyImage(Time::positiveInfinity()), core::Error);
    EXPECT_EQ(testmovie::readFrameIndex(*generator->copyImage(middleOfFrame(30))), 30);
}

TEST(ImageGenerator, ManyGeneratorsOfOneAssetGrabAtOnce)
{
    auto asset = assetNamed("h264.mp4");
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 6; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 24; ++i) {
                int k = (t * 7 + i * 5) % 48;
                try {
                    auto image = mediatest::exactGenerator(asset)->copyImage(middleOfFrame(k));
                    if (testmovie::readFrameIndex(*image) != k) ++wrong;
                } catch (const core::Error&) {
                    ++wrong;
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}

// A batch's pattern: grabs of nearby times between two key frames, started at once and woken in any order,
// share the decoders and all come back with their own frame.
TEST(ImageGenerator, NearbyGrabsStartedAtOnceEachGetTheirFrame)
{
    for (int round = 0; round < 4; ++round) {
        auto asset = assetNamed("h264.mp4");
        std::atomic<int> wrong{0};
        std::atomic<int> ready{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 10; ++t) {
            // Frames 13 to 22 lie between the key frames 12 and 24; the threads start them in a scrambled order.
            const int k = 13 + (t * 3 + round) % 10;
            threads.emplace_back([&, k] {
                ++ready;
                while (ready.load() < 10)
                    std::this_thread::yield();
                try {
                    if (testmovie::readFrameIndex(*mediatest::exactGenerator(asset)->copyImage(middleOfFrame(k))) != k)
                        ++wrong;
                } catch (const core::Error&) {
                    ++wrong;
                }
            });
        }
        for (auto& thread : threads)
            thread.join();
        EXPECT_EQ(wrong.load(), 0) << "round " << round;
    }
}

TEST(ImageGenerator, ASoundOnlyMovieIsPlayableButCannotGrab)
{
    auto asset = assetNamed("sound-only.mp4");
    EXPECT_TRUE(asset->isPlayable());
    EXPECT_TRUE(asset->tracks(media::MediaType::video).empty());
    EXPECT_NEAR(asset->duration().seconds(), 48 * 1001 / 30000.0, 0.05);
    try {
        mediatest::exactGenerator(asset)->copyImage(Time::zero());
        FAIL() << "no video must throw";
    } catch (const core::Error& error) {
        EXPECT_EQ(error.code(), media::noVideo);
    }
}
