#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "foundation/mp4_frames_writer.h"
#include "foundation/pixel_buffer_helpers.h"
#include "tests/support/temp_dir.h"

using namespace kestrane;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// What ffprobe says, one value per line.
std::string probe(const std::string& arguments, const std::string& path)
{
    const std::string command =
        "ffprobe -v error " + arguments + " -of default=noprint_wrappers=1:nokey=1 '" + path + "'";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        pclose(pipe);
    }
    return out;
}

// Left half red, right half blue.
gfx::ImageRef halves(int width, int height)
{
    std::vector<gfx::Pixel> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(x < width / 2 ? gfx::makePixel(255, 255, 0, 0) : gfx::makePixel(255, 0, 0, 255));
    return gfx::Image::create(width, height, std::move(pixels));
}

}  // namespace

TEST(PixelBufferHelpers, ImagesFillTheBufferCentred)
{
    auto pool = gfx::PixelBufferPool::create({gfx::PixelFormat::argb32, 4, 4});
    std::shared_ptr<gfx::PixelBuffer> buffer;
    ASSERT_EQ(createBuffer(*pool, buffer), pixelBufferSuccess);
    EXPECT_EQ(rect(*buffer), gfx::Rect(0, 0, 4, 4));
    drawFillingImage(*buffer, halves(8, 4));
    EXPECT_FALSE(buffer->isLocked());
    lockReadOnly(*buffer);
    const std::uint8_t* row = buffer->baseAddress() + buffer->bytesPerRow() * 2;
    // Bytes A, R, G, B; the image is 8 wide over 4, so columns 0-1 show red and 2-3 blue.
    EXPECT_EQ(std::vector<std::uint8_t>(row, row + 4), (std::vector<std::uint8_t>{255, 255, 0, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(row + 12, row + 16), (std::vector<std::uint8_t>{255, 0, 0, 255}));
    unlockReadOnly(*buffer);
    EXPECT_EQ(CVPixel::formatType32ARGB, 32u);
}

TEST(MP4FramesWriter, EachImageShowsForItsIntervalFromTimeZero)
{
    testsupport::TempDir dir;
    const auto path = (dir / "lapse.m4v").string();
    {
        std::ofstream(path) << "an older movie";
    }
    MP4FramesWriter writer(640, 640);
    ASSERT_TRUE(writer.startWriting(core::Url::fileURL(path)));
    EXPECT_TRUE(writer.addImage(halves(1920, 1080), media::Time::make(1, 2)));
    EXPECT_TRUE(writer.addImage(halves(1920, 1080), media::Time::make(300, 600)));
    EXPECT_TRUE(writer.addImage(halves(1920, 1080), media::Time::make(1, 4)));
    ASSERT_TRUE(writer.finishWriting());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    EXPECT_EQ(probe("-show_entries stream=codec_name,width,height", path), "h264\n640\n640\n");
    EXPECT_NE(probe("-show_entries format=format_name", path).find("mp4"), std::string::npos);
    EXPECT_EQ(probe("-show_entries packet=pts_time", path), "0.000000\n0.500000\n1.000000\n");
    EXPECT_EQ(probe("-show_entries format=duration", path), "1.250000\n");

    // After finishing, adding returns at once instead of waiting for a writer that takes no more.
    EXPECT_FALSE(writer.addImage(halves(8, 8), media::Time::make(1, 1)));
}

TEST(MP4FramesWriter, SizesMisuseAndFailures)
{
    const MP4FramesWriter sized(gfx::Size{320.9, 240.2});
    EXPECT_EQ(sized.width(), 320);
    EXPECT_EQ(sized.height(), 240);

    testsupport::TempDir dir;
    MP4FramesWriter idle(64, 64);
    CaptureStdout();
    EXPECT_FALSE(idle.addImage(halves(8, 8), media::Time::make(1, 1)));
    EXPECT_EQ(GetCapturedStdout(), "MP4FramesWriter cannot create buffer\n");
    EXPECT_FALSE(idle.finishWriting());

    CaptureStdout();
    EXPECT_FALSE(idle.startWriting(core::Url::fileURL((dir / "no" / "a.m4v").string())));
    EXPECT_EQ(GetCapturedStdout().rfind("MP4FramesWriter cannot create writer ", 0), 0u);

    MP4FramesWriter odd(63, 64);
    EXPECT_FALSE(odd.startWriting(core::Url::fileURL((dir / "odd.m4v").string())));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
}
