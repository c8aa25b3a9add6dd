// The program keeps its output for the user's business: with the toolkit's debug messages switched on by a
// Qt logging configuration file, a session that generates snaps and quits prints none of them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/e2e/e2e_harness.h"
#include "tools/testmovie/test_movie.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

struct Folder {
    fs::path path = fs::temp_directory_path() / ("vistrel-e2e-quiet-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
};

// The snaps the strip at the bottom of the window shows.
std::size_t stripCount(e2e::Screen& screen, const e2e::Window& window)
{
    const auto image = screen.capture(window);
    if (!image) return 0;
    std::size_t count = 0;
    for (const auto& picture : e2e::findPictures(*image))
        if (picture.y >= window.height - 150) ++count;
    return count;
}

TEST(QuietOutput, NoToolkitDebugMessageReachesTheOutputEvenWhenConfigured)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    Folder folder;
    const fs::path movie = folder.path / "movie.mp4";
    testmovie::MovieSpec spec;
    spec.width = 320;
    spec.height = 240;
    spec.frameCount = 100;
    testmovie::writeMovie(movie.string(), spec);
    fs::create_directories(folder.path / "config" / "QtProject");
    std::ofstream(folder.path / "config" / "QtProject" / "qtlogging.ini") << "[Rules]\nqt.*.debug=true\n";

    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    e2e::Screen screen(server.display());
    e2e::Process program({VISTREL_PROGRAM, movie.string()}, e2e::programEnvironment(server, folder.path),
                         folder.path / "program.log");
    const auto window = screen.waitForWindow(program.pid(), "movie.mp4", Seconds(30));
    ASSERT_TRUE(window) << program.output();

    e2e::step("generate snaps with the generator's defaults");
    screen.focus(*window);
    screen.key({"ctrl+g"});
    e2e::waitUntil([] { return false; }, Seconds(1));
    screen.key({"Return"});
    EXPECT_TRUE(e2e::waitUntil([&] { return stripCount(screen, *window) > 0; }, Seconds(30)));
    screen.focus(*window);
    screen.key({"ctrl+q"});
    EXPECT_EQ(program.waitForExit(Seconds(30)), 0) << program.output();

    std::istringstream lines(program.output());
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("qt.", 0), std::string::npos) << line;
        EXPECT_EQ(line.find("[heap]"), std::string::npos) << line;
    }
}

}  // namespace
