// Telling movies by their content: what FFmpeg reads with a video track is a movie whatever its name (a DVD's
// program stream, MXF, a movie renamed), and everything else is refused with the reason in words: empty,
// truncated, random and text files, still pictures, sound alone, folders and paths where nothing is.
#include "platform/media/asset.h"
#include "platform/media/movie_probe.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

using media::MovieVerdict;

namespace {

media::MovieProbe probe(const std::string& path) { return media::probeMovie(core::Url::fileURL(path)); }

std::string written(const std::string& name, const std::string& bytes)
{
    const std::string path = mediatest::scratchPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string randomBytes(unsigned seed, std::size_t count)
{
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = char(generator() & 0xFF);
    return bytes;
}

// A copy of the movie under another name.
std::string renamedCopy(const std::string& path, const std::string& name)
{
    const std::string copy = mediatest::scratchPath(name);
    std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing);
    return copy;
}

// The ffmpeg tool's file of a test movie (the one at 25 frames per second unless told), made with the arguments.
std::string toolMovie(const std::string& name, const std::vector<std::string>& arguments,
                      const std::string& source = "h264-25.mp4")
{
    const std::string path = mediatest::scratchPath(name);
    if (!std::filesystem::exists(path)) testsupport::runFfmpeg(mediatest::moviePath(source), arguments, path);
    return path;
}

std::string dvdMovie() { return toolMovie("dvd.vob", {"-c:v", "mpeg2video", "-q:v", "2", "-c:a", "mp2", "-f", "vob"}); }
// As a DVD authoring tool writes it: 720 x 576, with the navigation packets of a DVD's program stream.
std::string dvdTargetMovie() { return toolMovie("VTS_01_1.VOB", {"-target", "pal-dvd"}); }
std::string mxfMovie() { return toolMovie("broadcast.mxf", {"-c:v", "mpeg2video", "-q:v", "2", "-f", "mxf"}); }
std::string programStream() { return toolMovie("program.mpg", {"-c:v", "mpeg2video", "-f", "mpeg"}); }

}  // namespace

TEST(MovieProbe, WhatFFmpegReadsWithAVideoTrackIsAMovieWhateverItsName)
{
    const std::vector<std::string> movies = {
        mediatest::moviePath("h264.mp4"),
        mediatest::moviePath("vp9.webm"),
        mediatest::moviePath("mpeg2.mpg"),
        mediatest::moviePath("h264.ts"),
        mediatest::moviePath("audio.mkv"),
        dvdMovie(),
        dvdTargetMovie(),
        mxfMovie(),
        programStream(),
        renamedCopy(mediatest::moviePath("h264.mp4"), "renamed.dat"),
        renamedCopy(dvdMovie(), "no-extension"),
        renamedCopy(mxfMovie(), "broadcast.txt"),
    };
    for (const std::string& path : movies) {
        const auto probed = probe(path);
        EXPECT_TRUE(probed.isMovie()) << path << ": " << probed.reason;
        EXPECT_EQ(probed.reason, "") << path;
    }
    // The rest of the engine reads them as the probe does: each shows its first frame.
    for (const std::string& path : {dvdMovie(), dvdTargetMovie(), mxfMovie(), programStream(), movies[9]}) {
        const auto asset = media::Asset::create(core::Url::fileURL(path));
        ASSERT_TRUE(asset->isPlayable()) << path;
        EXPECT_EQ(mediatest::exactIndexAt(*mediatest::exactGenerator(asset), media::Time::zero()), 0) << path;
    }
}

TEST(MovieProbe, FilesWithoutVideoAreRefusedSayingWhatTheyHold)
{
    const std::string dvdSound = toolMovie("sound.vob", {"-vn", "-c:a", "mp2", "-f", "vob"}, "audio.mkv");
    const auto sound = probe(dvdSound);
    EXPECT_EQ(sound.verdict, MovieVerdict::noVideo);
    EXPECT_EQ(sound.reason, "it has no video track, only sound (read as MPEG-PS (MPEG-2 Program Stream))");
    EXPECT_EQ(probe(mediatest::moviePath("sound-only.mp4")).verdict, MovieVerdict::noVideo);

    // A still picture is no movie, whatever its name.
    const std::string picture = toolMovie("still.png", {"-frames:v", "1"});
    for (const std::string& path : {picture, renamedCopy(picture, "still.mp4")}) {
        const auto still = probe(path);
        EXPECT_EQ(still.verdict, MovieVerdict::notAMovie) << path;
        EXPECT_EQ(still.reason, "it is a still picture, not a movie") << path;
    }
}

TEST(MovieProbe, TextIsNoMovieEvenWhereFFmpegWouldDrawIt)
{
    std::string lines;
    for (int i = 0; i < 60; ++i)
        lines += "line " + std::to_string(i) + " of a log file\n";
    // FFmpeg reads a .txt as terminal text and makes pictures of it: neither it nor an asset takes it.
    const std::string log = written("log.txt", lines);
    const auto asText = probe(log);
    EXPECT_EQ(asText.verdict, MovieVerdict::notAMovie);
    EXPECT_EQ(asText.reason, "it is text, not a movie");
    EXPECT_FALSE(media::Asset::create(core::Url::fileURL(log))->isReadable());

    const auto named = probe(written("notes.mp4", "these are notes, not a movie\n"));
    EXPECT_EQ(named.verdict, MovieVerdict::notAMovie);
    EXPECT_EQ(named.reason,
              "its content is in no movie format the program reads (Invalid data found when processing input)");
}

TEST(MovieProbe, EmptyTruncatedAndRandomFilesAreRefused)
{
    EXPECT_EQ(probe(written("empty.mp4", "")).verdict, MovieVerdict::empty);
    EXPECT_EQ(probe(written("empty.mp4", "")).reason, "it is empty");

    // An MP4 cut before its index (at its end, the ffmpeg tool's way) or inside its start cannot be read; a
    // program stream has none, so what is left of it is still a movie.
    const std::string mp4 = mediatest::moviePath("h264.mp4");
    std::ifstream in(mp4, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t index = bytes.find("moov");
    ASSERT_GT(index, bytes.find("mdat"));
    for (std::size_t length : {std::size_t(1), std::size_t(100), bytes.size() / 2, index + 8}) {
        const auto cut = probe(mediatest::cutCopy(mp4, length, "cut.mp4"));
        EXPECT_FALSE(cut.isMovie()) << length;
        EXPECT_FALSE(cut.reason.empty()) << length;
    }
    const std::string vob = dvdMovie();
    EXPECT_TRUE(probe(mediatest::cutCopy(vob, std::filesystem::file_size(vob) / 2, "cut.vob")).isMovie());

    for (unsigned seed = 1; seed <= 12; ++seed)
        for (const std::string name : {"random.dat", "random.mpg", "random.mp4", "random.vob", "random.mxf"}) {
            const auto random = probe(written(name, randomBytes(seed, 256 * 1024)));
            EXPECT_FALSE(random.isMovie()) << name << " seed " << seed;
            EXPECT_FALSE(random.reason.empty()) << name << " seed " << seed;
        }
}

TEST(MovieProbe, FoldersAndMissingFilesAreRefused)
{
    const std::string folder = mediatest::scratchPath("folder.mp4");
    std::filesystem::create_directories(folder);
    EXPECT_EQ(probe(folder).verdict, MovieVerdict::folder);
    EXPECT_EQ(probe(folder).reason, "it is a folder");

    const auto missing = probe(mediatest::scratchPath("missing.mp4"));
    EXPECT_EQ(missing.verdict, MovieVerdict::missing);
    EXPECT_EQ(missing.reason, "there is no such file or folder");
    EXPECT_EQ(probe(mediatest::moviePath("h264.mp4") + "/inside.mp4").verdict, MovieVerdict::missing);
    EXPECT_FALSE(media::probeMovie(*core::Url::fromString("https://example.org/movie.mp4")).isMovie());
}
