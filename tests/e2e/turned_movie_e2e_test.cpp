// A movie stored turned whose rotation tag (set by the ffmpeg tool) turns it back, as phones write portrait
// movies, opened from the command line: the movie view shows it upright, stepping keeps it so, and the snap
// taken with the snap key stands upright in the strip.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "tests/e2e/e2e_harness.h"
#include "tests/support/ffmpeg_tool.h"
#include "tools/testmovie/test_movie.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

// The document window's strip of snaps: its bottom 150 points.
constexpr int stripHeight = 150;

struct Folder {
    fs::path path = fs::temp_directory_path() / ("vistrel-e2e-turned-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
};

// The widest frame picture of the window: the movie view's (a picture that stands on its side is none).
std::optional<e2e::Picture> shownPicture(e2e::Screen& screen, const e2e::Window& window)
{
    const auto image = screen.capture(window);
    if (!image) return std::nullopt;
    const auto pictures = e2e::findPictures(*image, 100);
    if (pictures.empty()) return std::nullopt;
    return *std::max_element(pictures.begin(), pictures.end(), [](auto& a, auto& b) { return a.width < b.width; });
}

int shownFrame(e2e::Screen& screen, const e2e::Window& window)
{
    const auto picture = shownPicture(screen, window);
    return picture ? picture->frameIndex : -1;
}

std::vector<int> stripFrames(e2e::Screen& screen, const e2e::Window& window)
{
    std::vector<int> frames;
    const auto image = screen.capture(window);
    if (!image) return frames;
    for (const auto& picture : e2e::findPictures(*image))
        if (picture.y >= window.height - stripHeight) frames.push_back(picture.frameIndex);
    return frames;
}

TEST(TurnedMovie, IsShownAndSnappedUpright)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    Folder folder;
    const fs::path source = folder.path / "source.mp4";
    testmovie::MovieSpec spec;
    spec.width = 320;
    spec.height = 240;
    spec.frameCount = 30;
    spec.keyInterval = 12;
    testmovie::writeMovie(source.string(), spec);
    const fs::path movie = folder.path / "portrait.mp4";
    testsupport::copyStoredTurned(source.string(), 90, movie.string());

    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    e2e::Screen screen(server.display());
    e2e::Process program({VISTREL_PROGRAM, movie.string()}, e2e::programEnvironment(server, folder.path),
                         folder.path / "program.log");
    const auto window = screen.waitForWindow(program.pid(), "portrait.mp4", Seconds(30));
    ASSERT_TRUE(window) << program.output();
    e2e::step("the first frame upright");
    ASSERT_TRUE(e2e::waitUntil([&] { return shownFrame(screen, *window) == 0; }, Seconds(15)))
        << "the picture shows frame " << shownFrame(screen, *window);
    const auto picture = shownPicture(screen, *window);
    ASSERT_TRUE(picture);
    // Shown in the upright picture's shape, 320 × 240.
    EXPECT_NEAR(double(picture->width) / picture->height, 320.0 / 240, 0.1);

    const int k = 5;
    screen.focus(*window);
    screen.key(std::vector<std::string>(k, "Right"));
    e2e::step("a stepped frame upright");
    ASSERT_TRUE(e2e::waitUntil([&] { return shownFrame(screen, *window) == k; }, Seconds(15)))
        << "the picture shows frame " << shownFrame(screen, *window);
    screen.key({"Return"});
    e2e::step("the snap upright in the strip");
    EXPECT_TRUE(e2e::waitUntil([&] { return stripFrames(screen, *window) == std::vector<int>{k}; }, Seconds(15)))
        << "the strip holds " << stripFrames(screen, *window).size() << " upright snaps";

    screen.key({"ctrl+q"});
    EXPECT_EQ(program.waitForExit(Seconds(15)), 0) << program.output();
}

}  // namespace
