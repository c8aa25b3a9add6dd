// A second launch while the program runs, as a file manager makes one on a double-click: `Vistrel movie`
// hands the movie to the running program, which opens it in a new window in front, and ends; a launch with
// nothing to open only brings the program forward. The snaps taken in both windows all come back after a
// relaunch.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/e2e/e2e_harness.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

// Steps the window's movie `frames` frames on from the first, takes a snap with Return and waits for it.
void snapAt(e2e::Screen& screen, const e2e::Window& window, int frames)
{
    ASSERT_TRUE(e2e::waitUntil([&] { return e2e::shownFrame(screen, window) == 0; }, Seconds(15)));
    screen.focus(window);
    screen.key(std::vector<std::string>(std::size_t(frames), "Right"));
    ASSERT_TRUE(e2e::waitUntil([&] { return e2e::shownFrame(screen, window) == frames; }, Seconds(15)))
        << "the picture shows frame " << e2e::shownFrame(screen, window);
    screen.key({"Return"});
    ASSERT_TRUE(
        e2e::waitUntil([&] { return e2e::stripFrames(screen, window) == std::vector<int>{frames}; }, Seconds(15)))
        << "the strip holds " << e2e::stripFrames(screen, window).size() << " snaps";
}

TEST(SecondLaunch, OpensItsMovieInTheRunningProgramAndTheSnapsOfBothWindowsComeBack)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    e2e::TestFolder folder("second-launch");
    const fs::path first = folder / "first.mp4";
    const fs::path second = folder / "second.mp4";
    e2e::writeMovie(first, 60);
    e2e::writeMovie(second, 60);

    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    const auto environment = e2e::programEnvironment(server, folder.path);
    e2e::Screen screen(server.display());

    {
        e2e::Program program({first.string()}, environment, folder / "running.log");
        const auto firstWindow = program.waitForWindow(screen, "first.mp4");
        ASSERT_TRUE(firstWindow) << program.output();
        snapAt(screen, *firstWindow, 3);

        e2e::step("a second launch with a movie");
        e2e::Program launch({second.string()}, environment, folder / "launch.log");
        EXPECT_EQ(launch.waitForExit(Seconds(60)), 0) << launch.output();
        const auto secondWindow = program.waitForWindow(screen, "second.mp4");
        ASSERT_TRUE(secondWindow) << "the running program has not opened the movie\n" << program.output();
        EXPECT_TRUE(e2e::waitUntil([&] { return screen.focused() == secondWindow->id; }, Seconds(15)))
            << "the new window is not in front";
        snapAt(screen, *secondWindow, 5);
        // The windows cascade: the first one's strip is read once it is in front again.
        screen.focus(*firstWindow);
        EXPECT_TRUE(
            e2e::waitUntil([&] { return e2e::stripFrames(screen, *firstWindow) == std::vector<int>{3}; }, Seconds(15)))
            << "first.mp4's strip holds " << e2e::stripFrames(screen, *firstWindow).size() << " snaps";

        e2e::step("a second launch with nothing to open, the program minimized");
        for (const auto& window : {*firstWindow, *secondWindow})
            ASSERT_EQ(std::system(("DISPLAY=" + server.display() + " xdotool windowminimize --sync " +
                                   std::to_string(window.id))
                                      .c_str()),
                      0);
        e2e::Program bare({}, environment, folder / "bare.log");
        EXPECT_EQ(bare.waitForExit(Seconds(60)), 0) << bare.output();
        const auto inFront = [&] {
            const auto focused = screen.focused();
            return (focused == firstWindow->id || focused == secondWindow->id) &&
                   !screen.windows(program.pid()).empty();
        };
        EXPECT_TRUE(e2e::waitUntil(inFront, Seconds(15))) << "no window of the program has come forward";
        for (const auto& window : screen.windows(program.pid()))
            EXPECT_TRUE(window.id == firstWindow->id || window.id == secondWindow->id) << "a window more";
        EXPECT_TRUE(program.running());

        EXPECT_EQ(program.quit(screen, *secondWindow), 0) << program.output();
    }
    {
        e2e::step("the relaunch");
        e2e::Program program({}, environment, folder / "relaunch.log");
        const auto firstWindow = program.waitForWindow(screen, "first.mp4");
        const auto secondWindow = program.waitForWindow(screen, "second.mp4");
        ASSERT_TRUE(firstWindow && secondWindow) << program.output();
        screen.focus(*firstWindow);
        EXPECT_TRUE(
            e2e::waitUntil([&] { return e2e::stripFrames(screen, *firstWindow) == std::vector<int>{3}; }, Seconds(15)))
            << "first.mp4's strip holds " << e2e::stripFrames(screen, *firstWindow).size() << " snaps";
        screen.focus(*secondWindow);
        EXPECT_TRUE(
            e2e::waitUntil([&] { return e2e::stripFrames(screen, *secondWindow) == std::vector<int>{5}; }, Seconds(15)))
            << "second.mp4's strip holds " << e2e::stripFrames(screen, *secondWindow).size() << " snaps";
        EXPECT_EQ(program.quit(screen, *firstWindow), 0) << program.output();
    }
}

}  // namespace
