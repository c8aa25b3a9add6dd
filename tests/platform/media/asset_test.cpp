#include "platform/core/error.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "tests/platform/media/movie_library.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using media::MediaType;
using media::Time;

namespace {

media::AssetRef assetAt(const std::string& path) { return media::Asset::create(core::Url::fileURL(path)); }

void writeBytes(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::vector<char> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An asset of a broken file either says it cannot be played or grabs throw; nothing else may happen.
void expectHandledSafely(const std::string& path)
{
    auto asset = assetAt(path);
    if (!asset->isPlayable()) {
        EXPECT_TRUE(asset->tracks(MediaType::video).empty() || !asset->isPlayable());
        EXPECT_THROW(media::ImageGenerator::create(asset)->copyImage(Time::zero()), core::Error);
        return;
    }
    auto generator = media::ImageGenerator::create(asset);
    generator->setRequestedTimeToleranceBefore(Time::zero());
    generator->setRequestedTimeToleranceAfter(Time::zero());
    for (double seconds : {0.0, 0.5, 1.0, 1.5}) {
        try {
            gfx::ImageRef image = generator->copyImage(Time::withSeconds(seconds, 600));
            EXPECT_TRUE(image);
        } catch (const core::Error&) {
        }
    }
}

}  // namespace

TEST(Asset, FactsOfAPlainMovie)
{
    auto asset = assetAt(mediatest::moviePath("h264.mp4"));
    EXPECT_TRUE(asset->isReadable());
    EXPECT_TRUE(asset->isPlayable());
    // 48 frames of 1001/30000 s, exactly.
    EXPECT_EQ(asset->duration(), Time::make(48 * 1001, 30000));
    auto video = asset->tracks(MediaType::video);
    ASSERT_EQ(video.size(), 1u);
    EXPECT_TRUE(asset->tracks(MediaType::audio).empty());
    const media::Track& track = *video[0];
    EXPECT_EQ(track.naturalSize(), (gfx::Size{160, 120}));
    EXPECT_TRUE(track.preferredTransform().isIdentity());
    EXPECT_FLOAT_EQ(track.nominalFrameRate(), 30000.0f / 1001);
    EXPECT_EQ(track.minFrameDuration(), Time::make(1001, 30000));
    EXPECT_EQ(track.timeRange().start, Time::zero());
    ASSERT_EQ(track.formatDescriptions().size(), 1u);
    EXPECT_EQ(track.formatDescriptions()[0].codecName, "h264");
    EXPECT_EQ(track.formatDescriptions()[0].width, 160);
    EXPECT_TRUE(track.isPlayable());
}

TEST(Asset, DurationsAreTheContainersExactOnes)
{
    EXPECT_EQ(assetAt(mediatest::moviePath("h264-25.mp4"))->duration(), Time::make(48, 25));
    EXPECT_EQ(assetAt(mediatest::moviePath("mpeg4.avi"))->duration(), Time::make(48, 25));
    EXPECT_EQ(assetAt(mediatest::moviePath("prores.mov"))->duration(), Time::make(48, 25));
    // Matroska keeps milliseconds.
    Time mkv = assetAt(mediatest::moviePath("h264.mkv"))->duration();
    EXPECT_NEAR(mkv.seconds(), 48 * 1001 / 30000.0, 0.001);
}

TEST(Asset, TimeZeroIsTheFirstFrameEvenWhenTheMovieStartsLater)
{
    auto asset = assetAt(mediatest::moviePath("start.mp4"));
    // The muxer stores the start in milliseconds.
    EXPECT_NEAR(asset->timeOrigin().seconds(), 45045 / 30000.0, 0.001);
    EXPECT_EQ(asset->duration(), Time::make(48 * 1001, 30000));
    auto generator = media::ImageGenerator::create(asset);
    generator->setRequestedTimeToleranceBefore(Time::zero());
    generator->setRequestedTimeToleranceAfter(Time::zero());
    Time actual;
    auto image = generator->copyImage(Time::zero(), &actual);
    EXPECT_EQ(testmovie::readFrameIndex(*image), 0);
    EXPECT_EQ(actual, Time::zero());
}

TEST(Asset, AudioTracksAndRotation)
{
    auto withAudio = assetAt(mediatest::moviePath("audio.mp4"));
    EXPECT_EQ(withAudio->tracks(MediaType::audio).size(), 1u);
    EXPECT_EQ(withAudio->tracks(MediaType::video).size(), 1u);
    EXPECT_EQ(withAudio->tracks().size(), 2u);
    EXPECT_EQ(withAudio->tracks(MediaType::audio)[0]->naturalSize(), (gfx::Size{0, 0}));

    // Turned a quarter clockwise for display: the matrix phones write.
    auto rotated = assetAt(mediatest::moviePath("rotated.mp4"));
    gfx::AffineTransform t = rotated->tracks(MediaType::video)[0]->preferredTransform();
    EXPECT_EQ(t.a, 0);
    EXPECT_EQ(t.b, 1);
    EXPECT_EQ(t.c, -1);
    EXPECT_EQ(t.d, 0);
    EXPECT_EQ(rotated->tracks(MediaType::video)[0]->naturalSize(), (gfx::Size{160, 120}));

    auto anamorphic = assetAt(mediatest::moviePath("anamorphic.mp4"));
    EXPECT_DOUBLE_EQ(anamorphic->tracks(MediaType::video)[0]->naturalSize().width, 160.0 * 4 / 3);
}

TEST(Asset, VariableFrameRateMoviesReportTheirRates)
{
    auto asset = assetAt(mediatest::moviePath("vfr.mp4"));
    auto track = asset->tracks(MediaType::video)[0];
    EXPECT_GT(track->nominalFrameRate(), 0);
    EXPECT_LT(track->nominalFrameRate(), 30000.0f / 1001);
    EXPECT_EQ(track->minFrameDuration(), Time::make(1001, 30000));
}

TEST(Asset, MissingEmptyAndForeignFilesAreUnplayable)
{
    auto missing = assetAt(mediatest::scratchPath("does-not-exist.mp4"));
    EXPECT_FALSE(missing->isReadable());
    EXPECT_FALSE(missing->isPlayable());
    EXPECT_FALSE(missing->duration().isValid());
    EXPECT_TRUE(missing->tracks().empty());

    std::string empty = mediatest::scratchPath("empty.mp4");
    writeBytes(empty, {});
    EXPECT_FALSE(assetAt(empty)->isPlayable());
    EXPECT_FALSE(assetAt(empty)->duration().isValid());

    std::string text = mediatest::scratchPath("notes.mp4");
    std::string words = "These are not the frames you are looking for.\n";
    writeBytes(text, std::vector<char>(words.begin(), words.end()));
    EXPECT_FALSE(assetAt(text)->isPlayable());
    expectHandledSafely(text);

    EXPECT_FALSE(media::Asset::create(*core::Url::fromString("https://example.com/movie.mp4"))->isPlayable());
}

TEST(Asset, AMovieUnderAnotherExtensionStillOpensByItsContent)
{
    std::string renamed = mediatest::scratchPath("h264-renamed.avi");
    std::filesystem::copy_file(mediatest::moviePath("h264.mp4"), renamed,
                               std::filesystem::copy_options::overwrite_existing);
    auto asset = assetAt(renamed);
    ASSERT_TRUE(asset->isPlayable());
    auto generator = media::ImageGenerator::create(asset);
    generator->setRequestedTimeToleranceBefore(Time::zero());
    generator->setRequestedTimeToleranceAfter(Time::zero());
    EXPECT_EQ(testmovie::readFrameIndex(*generator->copyImage(Time::make(10 * 1001, 30000))), 10);
}

TEST(Asset, TruncatedMoviesNeverCrashOrHang)
{
    for (const char* name : {"h264.mp4", "h264.mkv", "mpeg4.avi", "vp9.webm", "prores.mov"}) {
        std::vector<char> whole = readBytes(mediatest::moviePath(name));
        for (int cut = 1; cut <= 10; ++cut) {
            std::size_t size = whole.size() * std::size_t(cut) / 11;
            std::string path = mediatest::scratchPath("cut-" + std::to_string(cut) + "-" + name);
            writeBytes(path, std::vector<char>(whole.begin(), whole.begin() + std::ptrdiff_t(size)));
            SCOPED_TRACE(path);
            expectHandledSafely(path);
        }
    }
}

TEST(Asset, RandomAndCorruptedBytesNeverCrashOrHang)
{
    std::mt19937 random(1234);
    for (std::size_t size : {1u, 16u, 188u, 4096u, 65536u}) {
        std::vector<char> bytes(size);
        for (char& b : bytes)
            b = char(random());
        std::string path = mediatest::scratchPath("random-" + std::to_string(size) + ".mp4");
        writeBytes(path, bytes);
        SCOPED_TRACE(path);
        expectHandledSafely(path);
    }
    // A real movie with its middle overwritten by noise.
    for (const char* name : {"h264.mp4", "h264.mkv", "mjpeg.mov"}) {
        std::vector<char> bytes = readBytes(mediatest::moviePath(name));
        for (std::size_t i = bytes.size() / 3; i < bytes.size() * 2 / 3; i += 7)
            bytes[i] = char(random());
        std::string path = mediatest::scratchPath(std::string("noisy-") + name);
        writeBytes(path, bytes);
        SCOPED_TRACE(path);
        expectHandledSafely(path);
    }
}

TEST(Asset, SaysWhyItCannotBePlayedAndWhenAnotherFileIsUnderItsName)
{
    testsupport::TempDir folder("asset-problem");
    const std::string text = (folder / "notes.mp4").string();
    writeBytes(text, {'n', 'o', 't', ' ', 'a', ' ', 'm', 'o', 'v', 'i', 'e'});
    EXPECT_EQ(assetAt(text)->problem(), "not a movie");
    EXPECT_EQ(assetAt((folder / "gone.mp4").string())->problem(), "No such file or directory");
    EXPECT_EQ(assetAt(mediatest::moviePath("h264.mp4"))->problem(), "");

    // The movie probed, then another file copied over it, or renamed over it, or the file gone.
    const std::string movie = (folder / "movie.mp4").string();
    std::filesystem::copy_file(mediatest::moviePath("h264.mp4"), movie,
                               std::filesystem::copy_options::overwrite_existing);
    auto asset = assetAt(movie);
    ASSERT_TRUE(asset->isPlayable());
    EXPECT_FALSE(asset->fileChanged());
    writeBytes(movie, readBytes(text));
    EXPECT_TRUE(asset->fileChanged());
    asset = assetAt(movie);
    EXPECT_FALSE(asset->fileChanged());
    std::filesystem::rename(text, movie);
    EXPECT_TRUE(asset->fileChanged());
    asset = assetAt(movie);
    ASSERT_FALSE(asset->fileChanged());
    std::filesystem::remove(movie);
    EXPECT_TRUE(asset->fileChanged());
}
