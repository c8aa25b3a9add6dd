// A movie stored turned whose rotation tag (set by the ffmpeg tool) turns it back, as phones write portrait
// movies, opened from the command line: the movie view shows it upright, stepping keeps it so, and the snap
// taken with the snap key stands upright in the strip.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/e2e_harness.h"
#include "tests/support/ffmpeg_tool.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

TEST(TurnedMovie, IsShownAndSnappedUpright)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    e2e::TestFolder folder("turned");
    const fs::path source = folder / "source.mp4";
    e2e::writeMovie(source, 30);
    const fs::path movie = folder / "portrait.mp4";
    testsupport::copyStoredTurned(source.string(), 90, movie.string());

    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    e2e::Screen screen(server.display());
    e2e::Program program({movie.string()}, e2e::programEnvironment(server, folder.path), folder / "program.log");
    const auto window = program.waitForWindow(screen, "portrait.mp4");
    ASSERT_TRUE(window) << program.output();
    e2e::step("the first frame upright");
    ASSERT_TRUE(e2e::waitUntil([&] { return e2e::shownFrame(screen, *window) == 0; }, e2e::waitLimit))
        << "the picture shows frame " << e2e::shownFrame(screen, *window);
    const auto picture = e2e::shownPicture(screen, *window);
    ASSERT_TRUE(picture);
    // Shown in the upright picture's shape, 320 × 240.
    EXPECT_NEAR(double(picture->width) / picture->height, 320.0 / 240, 0.1);

    const int k = 5;
    screen.focus(*window);
    screen.key(std::vector<std::string>(k, "Right"));
    e2e::step("a stepped frame upright");
    ASSERT_TRUE(e2e::waitUntil([&] { return e2e::shownFrame(screen, *window) == k; }, e2e::waitLimit))
        << "the picture shows frame " << e2e::shownFrame(screen, *window);
    screen.key({"Return"});
    e2e::step("the snap upright in the strip");
    EXPECT_TRUE(
        e2e::waitUntil([&] { return e2e::stripFrames(screen, *window) == std::vector<int>{k}; }, e2e::waitLimit))
        << "the strip holds " << e2e::stripFrames(screen, *window).size() << " upright snaps";

    EXPECT_EQ(program.quit(screen, *window), 0) << program.output();
}

}  // namespace
