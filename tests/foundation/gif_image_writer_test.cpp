#include <cmath>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "foundation/gif_image_writer.h"
#include "foundation/time_lapse_format.h"
#include "platform/gfx/image_reader.h"
#include "tests/support/full_folder.h"
#include "tests/support/temp_dir.h"

using namespace kestrane;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

gfx::ImageRef solid(gfx::Pixel pixel) { return gfx::Image::create(6, 4, std::vector<gfx::Pixel>(24, pixel)); }

// Noise, which takes about as many bytes in a GIF as it has pixels.
gfx::ImageRef noise(std::uint32_t seed, int width, int height)
{
    std::vector<gfx::Pixel> pixels;
    for (int i = 0; i < width * height; ++i) {
        seed = seed * 1664525u + 1013904223u;
        pixels.push_back(
            gfx::makePixel(255, std::uint8_t(seed >> 24), std::uint8_t(seed >> 16), std::uint8_t(seed >> 8)));
    }
    return gfx::Image::create(width, height, std::move(pixels));
}

// The delays of the graphic control blocks and the NETSCAPE2.0 loop count (-1 without one).
std::pair<std::vector<int>, int> delaysAndLoop(const core::Data& gif)
{
    std::vector<int> delays;
    int loop = -1;
    for (std::size_t i = 0; i + 19 < gif.size(); ++i) {
        if (gif[i] == 0x21 && gif[i + 1] == 0xF9 && gif[i + 2] == 4) delays.push_back(gif[i + 4] | gif[i + 5] << 8);
        if (gif[i] == 0x21 && gif[i + 1] == 0xFF &&
            std::string(gif.begin() + long(i) + 3, gif.begin() + long(i) + 14) == "NETSCAPE2.0")
            loop = gif[i + 16] | gif[i + 17] << 8;
    }
    return {delays, loop};
}

}  // namespace

TEST(TimeLapseFormat, RawValuesAndExtensions)
{
    EXPECT_EQ(fromRawValue(std::type_identity<TimeLapseFormat>{}, 1), TimeLapseFormat::m4v);
    EXPECT_EQ(fromRawValue(std::type_identity<TimeLapseFormat>{}, 2), std::nullopt);
    EXPECT_EQ(fromRawValue(std::type_identity<TimeLapseFormat>{}, -1), std::nullopt);
    EXPECT_EQ(fileExtension(TimeLapseFormat::m4v), "m4v");
    EXPECT_EQ(fileExtension(TimeLapseFormat::gif), "gif");
}

TEST(GIFImageWriter, FramesKeepTheirDelaysAndTheAnimationLoopsForEver)
{
    testsupport::TempDir dir;
    const auto url = core::Url::fileURL((dir / "snaps.gif").string());
    auto writer = std::make_shared<GIFImageWriter>(5);
    EXPECT_EQ(writer->count(), 5);
    ASSERT_TRUE(writer->startWriting(url));
    EXPECT_TRUE(writer->addImage(solid(gfx::makePixel(255, 255, 0, 0)), media::Time::make(1, 4)));
    EXPECT_TRUE(writer->addImage(solid(gfx::makePixel(255, 0, 255, 0)), media::Time::make(300, 600)));
    EXPECT_TRUE(writer->addImage(solid(gfx::makePixel(255, 0, 0, 255)), media::Time::make(-3, 1)));
    EXPECT_TRUE(writer->addImage(solid(gfx::makePixel(255, 9, 9, 9)), media::Time::invalid()));
    EXPECT_TRUE(writer->addImage(solid(gfx::makePixel(255, 9, 9, 9)), media::Time::make(10000, 1)));
    // Nothing is on disk before the file is finished.
    EXPECT_FALSE(std::filesystem::exists(url.path()));
    ASSERT_TRUE(writer->finishWriting());

    const auto bytes = core::readData(url.path());
    ASSERT_TRUE(bytes);
    const auto [delays, loop] = delaysAndLoop(*bytes);
    EXPECT_EQ(delays, (std::vector<int>{25, 50, 0, 0, 65535}));
    EXPECT_EQ(loop, 0);
    const auto first = gfx::ImageReader::readData(*bytes);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->pixel(0, 0), gfx::makePixel(255, 255, 0, 0));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(GIFImageWriter, MisuseAndFailuresReportAndLeaveNoFile)
{
    testsupport::TempDir dir;
    GIFImageWriter writer(2);
    CaptureStdout();
    EXPECT_FALSE(writer.finishWriting());
    EXPECT_FALSE(writer.addImage(solid(0), media::Time::make(1, 1)));
    const auto missing = core::Url::fileURL((dir / "none" / "a.gif").string());
    EXPECT_FALSE(writer.startWriting(missing));
    EXPECT_EQ(GetCapturedStdout(), "GIFImageWriter cannot finish writing, CGImageDestination is nil\n"
                                   "GIFImageWriter cannot add image, CGImageDestination is nil\n"
                                   "GIFImageWriter cannot create destination at URL " +
                                       missing.absoluteString() + "\n");

    // One frame short of the count: finishing fails, the old file stays, and the writer is idle again.
    const auto url = core::Url::fileURL((dir / "old.gif").string());
    {
        std::ofstream(url.path()) << "old";
    }
    ASSERT_TRUE(writer.startWriting(url));
    writer.addImage(solid(0xff000000), media::Time::make(1, 10));
    EXPECT_FALSE(writer.finishWriting());
    EXPECT_EQ(std::filesystem::file_size(url.path()), 3u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    CaptureStdout();
    EXPECT_FALSE(writer.finishWriting());
    EXPECT_EQ(GetCapturedStdout(), "GIFImageWriter cannot finish writing, CGImageDestination is nil\n");
}

TEST(GIFImageWriter, AFileAlreadyThereIsNeverReplaced)
{
    testsupport::TempDir dir;
    const auto url = core::Url::fileURL((dir / "snaps.gif").string());
    {
        std::ofstream(url.path()) << "old";
    }
    GIFImageWriter writer(1);
    ASSERT_TRUE(writer.startWriting(url));
    writer.addImage(solid(gfx::makePixel(255, 0, 0, 255)), media::Time::make(1, 10));
    ASSERT_TRUE(writer.finishWriting());
    EXPECT_EQ(std::filesystem::file_size(url.path()), 3u);
    const auto written = writer.writtenURL();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->lastPathComponent(), "snaps (0).gif");
    const auto bytes = core::readData(written->path());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(delaysAndLoop(*bytes).first, std::vector<int>{10});
}

TEST(GIFImageWriter, ADiskThatFillsAfterAFewFramesLeavesNoFileAndFails)
{
    testsupport::FullFolder full;
    if (!full.mounted()) GTEST_SKIP() << "no right to mount a small file system here";
    full.empty();  // 64 KB: room for the first few frames of the 16
    const auto url = core::Url::fileURL((full.path() / "snaps.gif").string());
    GIFImageWriter writer(16);
    ASSERT_TRUE(writer.startWriting(url));
    for (std::uint32_t k = 0; k < 16; ++k)
        writer.addImage(noise(k, 128, 128), media::Time::make(1, 10));
    EXPECT_GT(writer.framesEncoded(), 0) << "the first frames went into the file";
    EXPECT_FALSE(writer.finishWriting());
    EXPECT_FALSE(writer.writtenURL());
    for (const auto& entry : std::filesystem::directory_iterator(full.path()))
        EXPECT_EQ(entry.path().filename().string().rfind("filler", 0), 0u) << entry.path();
}
