// With two documents open, what the user does acts on the window in front and on no other: each window is
// raised by a click on its title bar, as a user does, then the arrow keys, the snap key, the menu bar's export
// and Ctrl+W go to its document only (frames read from the pixels, files written, the session after a
// relaunch). The program ends cleanly after a submenu of its menu bar was opened and closed, and eighteen
// movies opened together cascade without a window leaving the screen.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gfx/image_reader.h"
#include "tests/e2e/e2e_harness.h"
#include "tools/testmovie/test_movie.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

const Seconds patience(60);

// The frame indexes of the picture files in the folder, in the order of their names.
std::vector<int> framesInFolder(const fs::path& folder)
{
    std::vector<fs::path> files;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<int> frames;
    for (const auto& file : files) {
        const auto image = gfx::ImageReader::read(core::Url::fileURL(file.string()));
        frames.push_back(image ? testmovie::readFrameIndex(*image) : -1);
    }
    return frames;
}

class WindowInFront : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
        e2e::writeMovie(folder / "first.mp4", 60);
        e2e::writeMovie(folder / "second.mp4", 60);
        ASSERT_TRUE(server.ready()) << "Xvfb did not start";
        environment = e2e::programEnvironment(server, folder.path);
        screen = std::make_unique<e2e::Screen>(server.display());
    }

    void launch(const std::vector<std::string>& arguments, const std::string& log)
    {
        program = std::make_unique<e2e::Program>(arguments, environment, folder / log);
    }

    e2e::Window documentWindow(const std::string& title)
    {
        const auto window = program->waitForWindow(*screen, title);
        EXPECT_TRUE(window) << "no window " << title << "\n" << program->output();
        return window.value_or(e2e::Window{});
    }

    // A click on the title bar of the first window, which the cascade leaves in view.
    void raise(const e2e::Window& window)
    {
        ASSERT_TRUE(screen->clickTitleBar(window, patience)) << "the window manager did not focus the window";
    }
    // The window manager's own switch to the other window (Alt+Tab): the second window's title bar lies under
    // the first one's.
    void switchTo(const e2e::Window& window)
    {
        screen->key({"alt+Tab"});
        ASSERT_TRUE(e2e::waitUntil([&] { return screen->focused() == window.id; }, patience))
            << "the window manager did not switch to the window";
    }

    // The window shows `frame` and its strip holds `snaps`.
    void expectShows(const e2e::Window& window, int frame, const std::vector<int>& snaps)
    {
        EXPECT_TRUE(e2e::waitUntil(
            [&] { return e2e::shownFrame(*screen, window) == frame && e2e::stripFrames(*screen, window) == snaps; },
            patience))
            << "frame " << e2e::shownFrame(*screen, window) << ", " << e2e::stripFrames(*screen, window).size()
            << " snaps";
    }

    // Right `frames` times, then, once the frame is on the screen, the snap key.
    void stepAndSnap(const e2e::Window& window, int frames)
    {
        screen->key(std::vector<std::string>(std::size_t(frames), "Right"));
        expectShows(window, frames, {});
        screen->key({"Return"});
        expectShows(window, frames, {frames});
    }

    // File ▸ Export All Snaps ▸ PNG through its shortcut, into `into`, chosen in the folder panel.
    void exportAll(const fs::path& into)
    {
        fs::create_directories(into);
        const auto known = screen->windowIds(program->pid());
        screen->key({"ctrl+shift+e"});
        const auto panel = screen->waitForNewWindow(program->pid(), known, patience);
        ASSERT_TRUE(panel) << "no folder panel\n" << program->output();
        screen->key({"ctrl+a"});
        screen->type(into.string());
        screen->key({"Return"});
        ASSERT_TRUE(e2e::waitUntil([&] { return screen->windowIds(program->pid()) == known; }, patience))
            << "the panel stayed";
    }

    e2e::TestFolder folder{"front"};
    e2e::XServer server;
    std::map<std::string, std::string> environment;
    std::unique_ptr<e2e::Screen> screen;
    std::unique_ptr<e2e::Program> program;
};

TEST_F(WindowInFront, KeysMenusAndCloseActOnTheRaisedDocumentOnly)
{
    launch({(folder / "first.mp4").string(), (folder / "second.mp4").string()}, "first-launch.log");
    const auto first = documentWindow("first.mp4");
    const auto second = documentWindow("second.mp4");
    ASSERT_FALSE(HasFailure());

    e2e::step("the first document, raised, steps two frames and snaps");
    raise(first);
    stepAndSnap(first, 2);
    exportAll(folder / "from-first");
    EXPECT_TRUE(e2e::waitUntil([&] { return framesInFolder(folder / "from-first") == std::vector<int>{2}; }, patience))
        << framesInFolder(folder / "from-first").size() << " files";

    e2e::step("the second document, raised: untouched, then five frames and a snap of its own");
    switchTo(second);
    expectShows(second, 0, {});
    stepAndSnap(second, 5);
    exportAll(folder / "from-second");
    EXPECT_TRUE(
        e2e::waitUntil([&] { return framesInFolder(folder / "from-second") == std::vector<int>{5}; }, patience));
    EXPECT_EQ(framesInFolder(folder / "from-first"), std::vector<int>{2});

    e2e::step("the first again: as it was; Ctrl+W closes it and only it");
    raise(first);
    expectShows(first, 2, {2});
    screen->key({"ctrl+w"});
    EXPECT_TRUE(e2e::waitUntil([&] { return screen->windows(program->pid(), "first.mp4").empty(); }, patience));
    EXPECT_EQ(screen->windows(program->pid(), "second.mp4").size(), 1u);
    EXPECT_EQ(program->quit(*screen, second), 0) << program->output();

    e2e::step("the session keeps the second document and its snap, not the closed one");
    launch({}, "second-launch.log");
    const auto back = documentWindow("second.mp4");
    ASSERT_FALSE(HasFailure());
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::stripFrames(*screen, back) == std::vector<int>{5}; }, patience))
        << e2e::stripFrames(*screen, back).size() << " snaps";
    EXPECT_TRUE(screen->windows(program->pid(), "first.mp4").empty());
    EXPECT_EQ(program->quit(*screen, back), 0) << program->output();
}

TEST_F(WindowInFront, QuitsCleanlyAfterASubmenuOfTheMenuBarWasOpened)
{
    launch({(folder / "first.mp4").string()}, "program.log");
    const auto window = documentWindow("first.mp4");
    ASSERT_FALSE(HasFailure());
    raise(window);
    screen->key({"Return"});
    expectShows(window, 0, {0});

    // File, down to Export All Snaps, into its submenu of formats; then both closed again.
    const auto known = screen->windowIds(program->pid());
    screen->click(window, 20, 10);
    ASSERT_TRUE(screen->waitForNewWindow(program->pid(), known, patience)) << "the File menu did not open";
    screen->key({"Down", "Down", "Down", "Down", "Right"});
    screen->key({"Escape", "Escape", "Escape"});
    ASSERT_TRUE(e2e::waitUntil([&] { return screen->windowIds(program->pid()) == known; }, patience))
        << "a menu stayed open";
    EXPECT_EQ(program->quit(*screen, window), 0) << program->output();
}

TEST_F(WindowInFront, EighteenMoviesOpenedTogetherAllStayOnTheScreen)
{
    std::vector<std::string> movies;
    for (int i = 0; i < 18; ++i) {
        const fs::path movie = folder / ("movie-" + std::to_string(i) + ".mp4");
        e2e::writeMovie(movie, 5, 160, 120);
        movies.push_back(movie.string());
    }
    launch(movies, "program.log");
    ASSERT_TRUE(e2e::waitUntil([&] { return screen->windows(program->pid(), "movie-").size() == 18; }, patience))
        << screen->windows(program->pid(), "movie-").size() << " windows\n"
        << program->output();
    for (const auto& window : screen->windows(program->pid(), "movie-")) {
        EXPECT_GE(window.x, 0);
        EXPECT_GE(window.y, 0);
        EXPECT_LE(window.x + window.width, 1280);
        EXPECT_LE(window.y + window.height, 1024);
    }
    EXPECT_EQ(program->quit(*screen, screen->windows(program->pid(), "movie-").back()), 0) << program->output();
}

}  // namespace
