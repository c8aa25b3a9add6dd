// Opening movies as a user does: a folder dragged from another program's window onto the drop window opens
// the movies in it (a folder without movies is refused), the windows of movies opened together cascade, the
// open panel starts in the videos folder and lists a Matroska movie there, and movies open by their content: a
// DVD's .vob and an MXF file show their frames, a text named .mp4 is named in an alert that says why.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "tests/e2e/e2e_harness.h"
#include "tests/support/ffmpeg_tool.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

class OpeningE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
        ASSERT_TRUE(server.ready()) << "Xvfb did not start";
        environment = e2e::programEnvironment(server, folder.path);
        screen = std::make_unique<e2e::Screen>(server.display());
    }

    // Starts a drag source offering `path` and drags from it to the middle of `target`. The source stays, as
    // a file manager's window would: the program may read the dropped paths after the drag has ended.
    std::unique_ptr<e2e::Process> dragOnto(const fs::path& path, const e2e::Window& target, const std::string& log)
    {
        auto source = std::make_unique<e2e::Process>(std::vector<std::string>{DRAG_SOURCE_PROGRAM, path.string()},
                                                     environment, folder.path / log);
        const auto window = screen->waitForWindow(source->pid(), "Drag Source", e2e::waitLimit);
        EXPECT_TRUE(window) << source->output();
        if (!window) return source;
        screen->drag(*window, window->width / 2, window->height / 2, target, target.width / 2, target.height / 2);
        e2e::waitUntil([&] { return ended(*source); }, e2e::waitLimit);
        return source;
    }
    // The drag source has said how its drag ended.
    static bool ended(e2e::Process& source)
    {
        const std::string said = source.output();
        return said.find("copied") != std::string::npos || said.find("refused") != std::string::npos;
    }

    e2e::TestFolder folder{"opening"};
    e2e::XServer server;
    std::map<std::string, std::string> environment;
    std::unique_ptr<e2e::Screen> screen;
};

TEST_F(OpeningE2E, AFolderDroppedOnTheDropWindowOpensItsMoviesInCascadingWindows)
{
    const fs::path movies = folder.path / "movies";
    fs::create_directories(movies / "inner");
    e2e::writeMovie(movies / "first.mp4", 10, 160, 120);
    e2e::writeMovie(movies / "inner" / "second.mkv", 10, 160, 120);
    const fs::path papers = folder.path / "papers";
    fs::create_directories(papers);
    std::ofstream(papers / "notes.txt") << "no movie here";

    e2e::Program program({}, environment, folder / "program.log");
    const auto drop = program.waitForWindow(*screen, "Vistrel");
    ASSERT_TRUE(drop) << program.output();

    e2e::step("a folder without movies is refused");
    {
        const auto source = dragOnto(papers, *drop, "papers.log");
        EXPECT_NE(source->output().find("refused"), std::string::npos) << source->output();
    }

    e2e::step("a folder of movies opens them");
    const auto source = dragOnto(movies, *drop, "movies.log");
    EXPECT_NE(source->output().find("copied"), std::string::npos) << source->output();
    const auto first = program.waitForWindow(*screen, "first.mp4");
    const auto second = program.waitForWindow(*screen, "second.mkv");
    ASSERT_TRUE(first && second) << program.output();
    // Not one on top of the other: the second is right of and below the first, whose title bar shows.
    EXPECT_GE(second->x - first->x, 20);
    EXPECT_GE(second->y - first->y, 20);
}

TEST_F(OpeningE2E, TheOpenPanelStartsInTheVideosFolderAndListsAMatroskaMovie)
{
    const fs::path videos = folder.path / "videos";
    fs::create_directories(videos);
    e2e::writeMovie(videos / "clip.mkv", 10, 160, 120);
    fs::create_directories(folder.path / "config");
    std::ofstream(folder.path / "config" / "user-dirs.dirs") << "XDG_VIDEOS_DIR=\"" << videos.string() << "\"\n";

    e2e::Program program({}, environment, folder / "program.log");
    const auto drop = program.waitForWindow(*screen, "Vistrel");
    ASSERT_TRUE(drop) << program.output();
    screen->focus(*drop);
    screen->key({"ctrl+o"});
    const auto panel = screen->waitForWindow(program.pid(), "Open", e2e::waitLimit);
    ASSERT_TRUE(panel) << program.output();

    // From the name field back to the list of files, select its first (and only) entry and open it: only a
    // movie the panel shows, in the folder it starts in, can be chosen this way.
    e2e::step("choose the first file the panel lists");
    screen->focus(*panel);
    screen->key({"shift+Tab", "Home", "space", "Return"});
    const auto document = program.waitForWindow(*screen, "clip.mkv");
    EXPECT_TRUE(document) << program.output();
}

TEST_F(OpeningE2E, AVobAndAnMxfOpenShowingTheirFramesAndARefusedFileIsNamedInAnAlert)
{
    const fs::path source = folder / "source.mp4";
    e2e::writeMovie(source, 25, 320, 240, 25);
    const fs::path vob = folder / "VTS_01_1.VOB", mxf = folder / "camera.mxf", notes = folder / "notes.mp4";
    testsupport::runFfmpeg(source.string(), {"-c:v", "mpeg2video", "-q:v", "2", "-f", "vob"}, vob.string());
    testsupport::runFfmpeg(source.string(), {"-c:v", "mpeg2video", "-q:v", "2", "-f", "mxf"}, mxf.string());
    std::ofstream(notes) << "these are notes, not a movie\n";

    e2e::Program program({vob.string(), notes.string(), mxf.string()}, environment, folder / "program.log");
    const auto dvd = program.waitForWindow(*screen, "VTS_01_1.VOB");
    const auto broadcast = program.waitForWindow(*screen, "camera.mxf");
    ASSERT_TRUE(dvd && broadcast) << program.output();

    // The alert's text is the line the program also prints (a message box's text cannot be read back here).
    e2e::step("an alert names the text and says why");
    const auto alert = screen->waitForNewWindow(program.pid(), {dvd->id, broadcast->id}, Seconds(60));
    ASSERT_TRUE(alert) << program.output();
    EXPECT_LT(alert->width, 1000);
    const std::string said = program.output();
    EXPECT_NE(said.find("The file \"" + notes.string() +
                        "\" couldn't be opened because its content is in no movie format the program reads"),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find("VTS_01_1.VOB\" couldn't"), std::string::npos) << said;
    EXPECT_EQ(said.find("camera.mxf\" couldn't"), std::string::npos) << said;
    screen->focus(*alert);
    screen->key({"Return"});
    EXPECT_TRUE(e2e::waitUntil([&] { return screen->windowIds(program.pid()).count(alert->id) == 0; }, Seconds(30)));

    e2e::step("each movie shows its first frame");
    for (const auto& window : {*broadcast, *dvd}) {
        screen->focus(window);
        EXPECT_TRUE(e2e::waitUntil([&] { return e2e::shownFrame(*screen, window) == 0; }, Seconds(60)))
            << window.id << " shows " << e2e::shownFrame(*screen, window);
    }
    EXPECT_EQ(program.quit(*screen, *dvd), 0) << program.output();
}

}  // namespace
