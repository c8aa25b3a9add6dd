#include "moviekit/movie.h"

#include "moviekit/player.h"
#include "moviekit/thumbnailer.h"
#include "moviekit/time_splitter.h"
#include "platform/core/error.h"
#include "platform/core/notification_center.h"
#include "tests/moviekit/test_movies.h"
#include "tests/support/ffmpeg_tool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>
#include <vector>

using kestrane::Orientation;
using orvalis::Edition;
using orvalis::Movie;

namespace {

std::shared_ptr<Movie> movieAt(const std::string& path) { return Movie::create(core::Url::fileURL(path)); }

// Counts MovieDidChangeEdition for one movie while it lives.
class EditionChanges : public core::Object {
public:
    explicit EditionChanges(const std::shared_ptr<Movie>& movie)
    {
        core::NotificationCenter::defaultCenter().addObserver(this, orvalis::MovieDidChangeEdition, movie.get(),
                                                              [this](const core::Notification&) { ++count; });
    }
    ~EditionChanges() override { core::NotificationCenter::defaultCenter().removeObserver(this); }
    int count = 0;
};

}  // namespace

TEST(Movie, NamesComeFromTheFile)
{
    const auto movie = movieAt("/tmp/Clip.One.mov");
    EXPECT_EQ(movie->filename(), "Clip.One");
    EXPECT_EQ(movie->title(), "Clip.One");
    EXPECT_EQ(movie->edition(), Edition::identity);
}

TEST(Movie, ReportsTheFactsOfItsFile)
{
    const auto movie = movieAt(moviekittest::smallMovie());
    EXPECT_TRUE(movie->playable());
    EXPECT_EQ(movie->duration(), media::Time::make(48 * 1001, 30000));
    EXPECT_NEAR(movie->frameRate(), 30000.0 / 1001, 1e-3);
    EXPECT_EQ(movie->resolution(), (gfx::Size{160, 120}));
    EXPECT_EQ(movie->orientation(), Orientation::up);
    EXPECT_EQ(movie->title(), "Small.Clip");
    EXPECT_EQ(movie->avasset(), movie->avasset());
}

TEST(Movie, MissingAndBrokenFilesGiveMoviesThatSaySo)
{
    const std::vector<std::string> paths = {
        moviekittest::missingFile(),
        moviekittest::fileWith("Empty.mov", ""),
        moviekittest::fileWith("Text.mp4", "this is not a movie at all, only a few words of text"),
        moviekittest::fileWith("Random.mov", std::string("\x00\x00\x00\x18"
                                                         "ftypmp42\x13\x9a\xff\x01",
                                                         16)),
    };
    for (const auto& path : paths) {
        const auto movie = movieAt(path);
        EXPECT_FALSE(movie->playable()) << path;
        EXPECT_EQ(movie->frameRate(), 0) << path;
        EXPECT_EQ(movie->resolution(), (gfx::Size{0, 0})) << path;
        EXPECT_FALSE(movie->duration().isNumeric() && movie->duration() > media::Time::zero()) << path;
        EXPECT_EQ(movie->generateThumbnail(), nullptr) << path;
        EXPECT_EQ(movie->generateThumbnail(), nullptr) << path;
        EXPECT_EQ(movie->thumbnail(), nullptr) << path;
    }
}

// Movies cut short, as a download that stopped leaves them: one whose index comes last loses it with any cut and
// says it cannot play; one whose index comes first keeps its size, and plays from what is left of its frames.
TEST(Movie, TruncatedFilesSayWhatTheyStillHold)
{
    const std::string indexLast = moviekittest::hdMovie();
    const std::string indexFirst = moviekittest::fileWith("HD.IndexFirst.mov", "");
    testsupport::runFfmpeg(indexLast, {"-c", "copy", "-movflags", "+faststart"}, indexFirst);
    for (const std::string& path : {indexLast, indexFirst}) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (std::size_t length : {std::size_t(32), bytes.size() / 3, bytes.size() / 2, bytes.size() - 100}) {
            SCOPED_TRACE(path + " cut to " + std::to_string(length) + " bytes");
            const auto movie =
                movieAt(moviekittest::fileWith("Cut" + std::to_string(length) + ".mov", bytes.substr(0, length)));
            const gfx::ImageRef thumbnail = movie->generateThumbnail();
            EXPECT_EQ(bool(thumbnail), movie->playable());
            if (path == indexLast || length == 32) {
                EXPECT_FALSE(movie->playable());
                EXPECT_EQ(movie->resolution(), (gfx::Size{0, 0}));
                continue;
            }
            EXPECT_EQ(movie->resolution(), (gfx::Size{1920, 1080}));
            if (length != bytes.size() - 100) continue;
            // Only the end of the last frame is gone: the poster frame, near the middle, is whole.
            ASSERT_TRUE(movie->playable());
            ASSERT_TRUE(thumbnail);
            EXPECT_EQ(testmovie::readFrameIndex(*thumbnail), 4);
        }
    }
}

TEST(Movie, AMovieCutShortEndsWithItsLastWholeFrame)
{
    // A Matroska copy of the small movie (48 frames at 30000/1001), cut in half as a download that stopped.
    const std::string whole = moviekittest::fileWith("Whole.mkv", "");
    testsupport::runFfmpeg(moviekittest::smallMovie(), {"-c", "copy"}, whole);
    std::ifstream in(whole, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto movie = movieAt(moviekittest::fileWith("CutShort.mkv", bytes.substr(0, bytes.size() / 2)));
    ASSERT_TRUE(movie->playable());

    // The last frame that decodes: its grab at the movie's end, and the frame after it is gone.
    orvalis::Thumbnailer thumbnailer(movie);
    const gfx::ImageRef last = thumbnailer.accurateImage(movie->avasset()->lastFrameTime());
    ASSERT_TRUE(last);
    const int lastIndex = testmovie::readFrameIndex(*last);
    ASSERT_GT(lastIndex, 0);
    ASSERT_LT(lastIndex, 47);
    // Matroska keeps its times in milliseconds.
    const media::Time end = media::Time::make(std::int64_t(lastIndex + 1) * 1001, 30000);
    const media::Time millisecond = media::Time::make(1, 1000);
    EXPECT_LE(compare(end - millisecond, movie->duration()), 0);
    EXPECT_LE(compare(movie->duration(), end + millisecond), 0);
    EXPECT_THROW(thumbnailer.accurateImage(end + millisecond + millisecond), core::Error);

    // The clip, and so the generator's range and the batch's, covers what the movie holds; every frame to
    // write is one of its frames.
    EXPECT_EQ(movie->player()->clipRange().duration, movie->duration());
    orvalis::TimeSplitter splitter(movie->player()->clipRange());
    splitter.frameTimes = movie->frameTimes();
    splitter.frameStep = 1;
    splitter.includeStart = true;
    EXPECT_EQ(splitter.timesCount(), lastIndex + 1);
}

TEST(Movie, NaturalOrientationFollowsTheTrack)
{
    EXPECT_EQ(movieAt(moviekittest::rotatedMovie(90))->orientation(), Orientation::left);
    EXPECT_EQ(movieAt(moviekittest::rotatedMovie(180))->orientation(), Orientation::down);
    EXPECT_EQ(movieAt(moviekittest::rotatedMovie(270))->orientation(), Orientation::right);
}

TEST(Movie, EveryEditionChangeIsPostedOnce)
{
    const auto movie = movieAt(moviekittest::hdMovie());
    EditionChanges changes(movie);
    movie->setEdition(movie->edition());
    EXPECT_EQ(changes.count, 1);
    movie->changeEdition([](Edition& e) { e.rotateLeft(); });
    EXPECT_EQ(changes.count, 2);
    EXPECT_EQ(movie->edition().orientation, Orientation::left);
    EXPECT_EQ(movie->editedResolution(), (gfx::Size{1080, 1920}));
    movie->changeEdition([](Edition& e) { e.rotateLeft(); });
    EXPECT_EQ(movie->editedResolution(), (gfx::Size{1920, 1080}));
    EXPECT_EQ(changes.count, 3);
}

TEST(Movie, ThumbnailIsMadeOnceAndKept)
{
    const auto movie = movieAt(moviekittest::hdMovie());
    EXPECT_EQ(movie->thumbnail(), nullptr);
    const auto poster = movie->generateThumbnail();
    ASSERT_NE(poster, nullptr);
    EXPECT_EQ(poster->width(), 300);
    EXPECT_EQ(movie->generateThumbnail(), poster);
    movie->changeEdition([](Edition& e) { e.rotateRight(); });
    EXPECT_EQ(movie->thumbnail(), poster);
}

TEST(Movie, ThreadsAskingAtOnceShareOneAsset)
{
    const auto movie = movieAt(moviekittest::smallMovie());
    std::vector<media::AssetRef> assets(4);
    std::vector<std::thread> threads;
    for (auto& asset : assets)
        threads.emplace_back([&asset, &movie] { asset = movie->avasset(); });
    for (auto& thread : threads)
        thread.join();
    for (const auto& asset : assets)
        EXPECT_EQ(asset, assets.front());
}
