// The batch window as a user drives it: opened from the menu with its key, a folder of movies added through
// the open panel, one movie previewed, all selected, an export folder chosen, the batch started; the window
// keeps drawing the tasks as they run, and every frame of every movie lands in the folder as a file showing
// that frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "platform/gfx/image_reader.h"
#include "tests/e2e/e2e_harness.h"
#include "tools/testmovie/test_movie.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

constexpr int rate = 10;
constexpr int seconds = 20;
const std::vector<std::string> movieNames = {"first.mp4", "second.mkv", "third.mov"};

// Where the batch window's controls lie: points from the left and from the bottom of its content, which the
// window's bottom edge is.
struct Spot {
    int x;
    int fromBottom;
};
constexpr Spot addMovies{70, 355};
constexpr Spot firstMovieRow{100, 680 - 40};
constexpr Spot chooseFolder{70, 23};
constexpr Spot start{450, 23};
// A stretch of the tasks table's first rows.
constexpr int tasksLeft = 410, tasksRight = 1090, tasksTopFromBottom = 286, tasksBottomFromBottom = 226;

void click(e2e::Screen& screen, const e2e::Window& window, Spot spot)
{
    screen.click(window, spot.x, window.height - spot.fromBottom);
}

// The panel that a click opened over the batch window; gets the focus.
std::optional<e2e::Window> waitForPanel(e2e::Screen& screen, int pid, const e2e::Window& batch)
{
    const auto panel = screen.waitForNewWindow(pid, {batch.id}, e2e::waitLimit);
    if (panel) screen.focus(*panel);
    return panel;
}

bool panelClosed(e2e::Screen& screen, int pid, const e2e::Window& panel)
{
    return e2e::waitUntil(
        [&] {
            const auto windows = screen.windows(pid);
            return std::none_of(windows.begin(), windows.end(), [&](const auto& w) { return w.id == panel.id; });
        },
        e2e::waitLimit);
}

// What the tasks table's first rows show: how many pixels differ from its background, and a digest of them.
struct TaskRows {
    int drawn = -1;
    std::size_t digest = 0;
};

TaskRows taskRows(e2e::Screen& screen, const e2e::Window& window)
{
    const auto image = screen.capture(window);
    if (!image) return {};
    const int top = window.height - tasksTopFromBottom, bottom = window.height - tasksBottomFromBottom;
    const gfx::Pixel background = image->pixel(tasksRight - 2, bottom - 2);
    TaskRows rows{0, 0};
    for (int y = top; y < bottom; ++y)
        for (int x = tasksLeft; x < tasksRight; ++x) {
            const gfx::Pixel p = image->pixel(x, y);
            rows.digest = rows.digest * 31 + p;
            const int difference = std::abs(gfx::redOf(p) - gfx::redOf(background)) +
                                   std::abs(gfx::greenOf(p) - gfx::greenOf(background)) +
                                   std::abs(gfx::blueOf(p) - gfx::blueOf(background));
            if (difference > 60) ++rows.drawn;
        }
    return rows;
}

TEST(BatchWindow, RunsABatchOpenedFromTheMenuAndWritesEveryFrame)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    e2e::TestFolder folder("batch");
    const fs::path movies = folder.path / "movies";
    const fs::path out = folder.path / "frames";
    fs::create_directories(movies);
    fs::create_directories(out);
    for (const auto& name : movieNames) {
        testmovie::MovieSpec spec;
        spec.width = 480;
        spec.height = 270;
        spec.rateNum = rate;
        spec.rateDen = 1;
        spec.frameCount = seconds * rate;
        spec.keyInterval = 25;
        spec.texture = true;
        testmovie::writeMovie((movies / name).string(), spec);
    }
    e2e::writeBatchSettings(folder.path / "config");

    e2e::step("making the X server");
    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    const auto environment = e2e::programEnvironment(server, folder.path);
    e2e::Screen screen(server.display());
    e2e::Program program({}, environment, folder.path / "program.log");

    e2e::step("starting the program");
    // The drop window shows first; the Window menu's Batch item (Ctrl+B) opens the batch window.
    auto drop = program.waitForWindow(screen, "");
    ASSERT_TRUE(drop) << program.output();
    screen.focus(*drop);
    screen.key({"ctrl+b"});
    const auto batch = screen.waitForWindow(program.pid(), "Batch", e2e::waitLimit);
    ASSERT_TRUE(batch) << program.output();
    screen.focus(*batch);

    e2e::step("adding the movies");
    // The folder of movies, chosen in the open panel.
    click(screen, *batch, addMovies);
    auto panel = waitForPanel(screen, program.pid(), *batch);
    ASSERT_TRUE(panel) << "no open panel";
    screen.type(movies.string());
    screen.key({"Return"});
    ASSERT_TRUE(panelClosed(screen, program.pid(), *panel));

    e2e::step("previewing a movie");
    // One movie previewed: its picture shows in the panel once it has loaded.
    ASSERT_TRUE(e2e::waitUntil(
        [&] {
            click(screen, *batch, firstMovieRow);
            const auto image = screen.capture(*batch);
            return image && !e2e::findPictures(*image, 100).empty();
        },
        e2e::waitLimit))
        << "no movie previewed";
    screen.key({"ctrl+a"});

    e2e::step("choosing the export folder");
    click(screen, *batch, chooseFolder);
    panel = waitForPanel(screen, program.pid(), *batch);
    ASSERT_TRUE(panel) << "no folder panel";
    screen.type(out.string());
    screen.key({"Return"});
    ASSERT_TRUE(panelClosed(screen, program.pid(), *panel));

    e2e::step("starting the batch");
    // With no window manager nobody gives the focus back once the panel is gone: the test does, and waits for
    // it before the click on Start. A second click would stop the batch, so it is sent only when the first
    // plainly went unseen.
    screen.focus(*batch);
    ASSERT_TRUE(e2e::waitUntil([&] { return screen.focused() == batch->id; }, e2e::waitLimit)) << "no focus";
    const TaskRows before = taskRows(screen, *batch);
    const auto started = [&] { return taskRows(screen, *batch).drawn > before.drawn + 100 || e2e::filesIn(out) > 0; };
    for (int attempt = 0; attempt < 2 && !started(); ++attempt) {
        click(screen, *batch, start);
        e2e::waitUntil(started, e2e::waitLimit);
    }
    ASSERT_TRUE(started()) << "the batch did not start\n" << program.output();
    e2e::step("waiting for the files");
    const std::size_t expected = movieNames.size() * std::size_t(seconds * rate - 1);
    int drawnWhileRunning = -1;
    std::set<std::size_t> shownWhileRunning;
    ASSERT_TRUE(e2e::waitUntil(
        [&] {
            const std::size_t written = e2e::filesIn(out);
            if (written > 0 && written < expected) {
                const TaskRows rows = taskRows(screen, *batch);
                drawnWhileRunning = std::max(drawnWhileRunning, rows.drawn);
                shownWhileRunning.insert(rows.digest);
            }
            return written == expected;
        },
        Seconds(120)))
        << e2e::filesIn(out) << " of " << expected << " files written\n"
        << program.output();
    // While the batch ran, the window showed its tasks and their progress as it grew.
    EXPECT_GT(drawnWhileRunning, before.drawn + 100) << "before " << before.drawn;
    EXPECT_GE(shownWhileRunning.size(), 2u);

    e2e::step("reading the files back");
    // Each file shows the frame its time names.
    const std::regex name(R"((\w+)-00-00-(\d\d)-(\d\d\d)\.jpg)");
    std::map<std::string, int> perMovie;
    for (const auto& entry : fs::directory_iterator(out)) {
        std::smatch parts;
        const std::string file = entry.path().filename().string();
        ASSERT_TRUE(std::regex_match(file, parts, name)) << file;
        const int milliseconds = std::stoi(parts[2]) * 1000 + std::stoi(parts[3]);
        const gfx::ImageRef image = gfx::ImageReader::read(core::Url::fileURL(entry.path().string()));
        ASSERT_TRUE(image) << file;
        EXPECT_EQ(testmovie::readFrameIndex(*image), milliseconds * rate / 1000) << file;
        ++perMovie[parts[1]];
    }
    for (const auto& movie : {"first", "second", "third"})
        EXPECT_EQ(perMovie[movie], seconds * rate - 1) << movie;

    EXPECT_EQ(program.quit(screen, *batch), 0) << program.output();
}

}  // namespace
