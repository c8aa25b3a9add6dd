// The program as a user drives it: open a movie from the command line, step to a frame with the right arrow,
// take a snap with the snap key, see it in the strip, quit with Ctrl+Q, start again with nothing on the
// command line and find the snap back in its document.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "tests/e2e/e2e_harness.h"
#include "tools/testmovie/test_movie.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

// The document window's strip of snaps: its bottom 150 points.
constexpr int stripHeight = 150;

struct Folder {
    fs::path path = fs::temp_directory_path() / ("vistrel-e2e-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
};

// The frame index the picture of the movie view shows (the widest picture), or -1.
int shownFrame(e2e::Screen& screen, const e2e::Window& window)
{
    const auto image = screen.capture(window);
    if (!image) return -1;
    const auto pictures = e2e::findPictures(*image, 100);
    if (pictures.empty()) return -1;
    return std::max_element(pictures.begin(), pictures.end(), [](auto& a, auto& b) { return a.width < b.width; })
        ->frameIndex;
}

// The frame indexes of the snaps the strip shows, left to right.
std::vector<int> stripFrames(e2e::Screen& screen, const e2e::Window& window)
{
    std::vector<int> frames;
    const auto image = screen.capture(window);
    if (!image) return frames;
    for (const auto& picture : e2e::findPictures(*image))
        if (picture.y >= window.height - stripHeight) frames.push_back(picture.frameIndex);
    return frames;
}

TEST(SnapAndRelaunch, ASnapTakenWithTheKeysComesBackAfterARelaunch)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    Folder folder;
    const fs::path movie = folder.path / "movie.mp4";
    testmovie::MovieSpec spec;
    spec.width = 320;
    spec.height = 240;
    spec.frameCount = 60;
    spec.keyInterval = 12;
    testmovie::writeMovie(movie.string(), spec);

    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    const auto environment = e2e::programEnvironment(server, folder.path);
    e2e::Screen screen(server.display());
    const int k = 7;

    {
        e2e::Process program({VISTREL_PROGRAM, movie.string()}, environment, folder.path / "first.log");
        const auto window = screen.waitForWindow(program.pid(), "movie.mp4", Seconds(30));
        ASSERT_TRUE(window) << program.output();
        ASSERT_TRUE(e2e::waitUntil([&] { return shownFrame(screen, *window) == 0; }, Seconds(15)));
        EXPECT_TRUE(stripFrames(screen, *window).empty());

        screen.focus(*window);
        screen.key(std::vector<std::string>(k, "Right"));
        ASSERT_TRUE(e2e::waitUntil([&] { return shownFrame(screen, *window) == k; }, Seconds(15)))
            << "the picture shows frame " << shownFrame(screen, *window);
        screen.key({"Return"});
        ASSERT_TRUE(e2e::waitUntil([&] { return stripFrames(screen, *window) == std::vector<int>{k}; }, Seconds(15)))
            << "the strip holds " << stripFrames(screen, *window).size() << " snaps";

        screen.key({"ctrl+q"});
        EXPECT_EQ(program.waitForExit(Seconds(15)), 0) << program.output();
    }
    {
        e2e::Process program({VISTREL_PROGRAM}, environment, folder.path / "second.log");
        const auto window = screen.waitForWindow(program.pid(), "movie.mp4", Seconds(30));
        ASSERT_TRUE(window) << program.output();
        EXPECT_TRUE(e2e::waitUntil([&] { return stripFrames(screen, *window) == std::vector<int>{k}; }, Seconds(15)))
            << "the strip holds " << stripFrames(screen, *window).size() << " snaps after the relaunch";
        screen.focus(*window);
        screen.key({"ctrl+q"});
        EXPECT_EQ(program.waitForExit(Seconds(15)), 0) << program.output();
    }
}

}  // namespace
