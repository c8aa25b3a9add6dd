// The program as a user drives it: open a movie from the command line, step to a frame with the right arrow,
// take a snap with the snap key, see it in the strip, quit with Ctrl+Q, start again with nothing on the
// command line and find the snap back in its document.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/e2e_harness.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

TEST(SnapAndRelaunch, ASnapTakenWithTheKeysComesBackAfterARelaunch)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    e2e::TestFolder folder("relaunch");
    const fs::path movie = folder / "movie.mp4";
    e2e::writeMovie(movie, 60);

    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    const auto environment = e2e::programEnvironment(server, folder.path);
    e2e::Screen screen(server.display());
    const int k = 7;

    {
        e2e::Program program({movie.string()}, environment, folder / "first.log");
        const auto window = program.waitForWindow(screen, "movie.mp4");
        ASSERT_TRUE(window) << program.output();
        ASSERT_TRUE(e2e::waitUntil([&] { return e2e::shownFrame(screen, *window) == 0; }, e2e::waitLimit));
        EXPECT_TRUE(e2e::stripFrames(screen, *window).empty());

        screen.focus(*window);
        screen.key(std::vector<std::string>(k, "Right"));
        ASSERT_TRUE(e2e::waitUntil([&] { return e2e::shownFrame(screen, *window) == k; }, e2e::waitLimit))
            << "the picture shows frame " << e2e::shownFrame(screen, *window);
        screen.key({"Return"});
        ASSERT_TRUE(
            e2e::waitUntil([&] { return e2e::stripFrames(screen, *window) == std::vector<int>{k}; }, e2e::waitLimit))
            << "the strip holds " << e2e::stripFrames(screen, *window).size() << " snaps";

        EXPECT_EQ(program.quit(screen, *window), 0) << program.output();
    }
    {
        e2e::Program program({}, environment, folder / "second.log");
        const auto window = program.waitForWindow(screen, "movie.mp4");
        ASSERT_TRUE(window) << program.output();
        EXPECT_TRUE(
            e2e::waitUntil([&] { return e2e::stripFrames(screen, *window) == std::vector<int>{k}; }, e2e::waitLimit))
            << "the strip holds " << e2e::stripFrames(screen, *window).size() << " snaps after the relaunch";
        EXPECT_EQ(program.quit(screen, *window), 0) << program.output();
    }
}

}  // namespace
