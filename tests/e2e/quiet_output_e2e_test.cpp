// The program keeps its output for the user's business: with the toolkit's debug messages switched on by a
// Qt logging configuration file, a session that generates snaps and quits prints none of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/e2e/e2e_harness.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

TEST(QuietOutput, NoToolkitDebugMessageReachesTheOutputEvenWhenConfigured)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    e2e::TestFolder folder("quiet");
    const fs::path movie = folder / "movie.mp4";
    e2e::writeMovie(movie, 100);
    fs::create_directories(folder.path / "config" / "QtProject");
    std::ofstream(folder.path / "config" / "QtProject" / "qtlogging.ini") << "[Rules]\nqt.*.debug=true\n";

    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    e2e::Screen screen(server.display());
    e2e::Program program({movie.string()}, e2e::programEnvironment(server, folder.path), folder / "program.log");
    const auto window = program.waitForWindow(screen, "movie.mp4");
    ASSERT_TRUE(window) << program.output();

    e2e::step("generate snaps with the generator's defaults");
    screen.focus(*window);
    const auto known = screen.windowIds(program.pid());
    screen.key({"ctrl+g"});
    ASSERT_TRUE(screen.waitForNewWindow(program.pid(), known, e2e::waitLimit)) << "no generator popover";
    screen.key({"Return"});
    EXPECT_TRUE(e2e::waitUntil([&] { return !e2e::stripFrames(screen, *window).empty(); }, e2e::waitLimit));
    EXPECT_EQ(program.quit(screen, *window, e2e::waitLimit), 0) << program.output();

    std::istringstream lines(program.output());
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("qt.", 0), std::string::npos) << line;
        EXPECT_EQ(line.find("[heap]"), std::string::npos) << line;
    }
}

}  // namespace
