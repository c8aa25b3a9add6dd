// The program's life as a user lives it: a movie whose file never answers (a FIFO named .mp4 stands for a
// hung network mount), on the command line and then in the session, neither holds the program nor its Ctrl+Q;
// Ctrl+Q with the batch window and a document open ends the program; Ctrl+Q during a batch, answered Quit,
// ends it after one question with only whole images written; Ctrl+Q during the restore of 2,000 snaps,
// answered Quit, ends it, and the next start restores them all; a movie renamed away and back keeps its snaps
// and is named at the start in between.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "platform/gfx/image_reader.h"
#include "tests/e2e/e2e_harness.h"
#include "tools/testmovie/test_movie.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

fs::path sessionFile(const fs::path& folder) { return folder / "data" / "net.vistrel.Vistrel" / "Session.cbor"; }

// How many snaps a kept session holds: each is archived under its class name.
std::size_t snapsInSession(const fs::path& folder)
{
    std::ifstream in(sessionFile(folder), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t count = 0;
    for (auto at = bytes.find("SnapItem"); at != std::string::npos; at = bytes.find("SnapItem", at + 1))
        ++count;
    return count;
}

// Waits for a window of the process that is not among `known` (a question), and answers it: with its first
// button (the default, which the space bar presses) or its second ("Quit": the focus goes to it first).
std::optional<e2e::Window> answerQuestion(e2e::Screen& screen, int pid, const std::set<unsigned long>& known,
                                          bool second, Seconds timeout = e2e::waitLimit)
{
    const auto question = screen.waitForNewWindow(pid, known, timeout);
    if (!question) return question;
    screen.focus(*question);
    e2e::waitUntil([&] { return screen.focused() == question->id; }, e2e::waitLimit);
    if (second) screen.key({"Tab"});
    screen.key({"space"});
    return question;
}

std::optional<e2e::Window> answerSecondButton(e2e::Screen& screen, int pid, const std::set<unsigned long>& known)
{
    return answerQuestion(screen, pid, known, true);
}

// Presses Ctrl+Q in the window until the program asks something or ends (a key sent before the window is
// ready for it can go unseen).
void pressQuit(e2e::Screen& screen, e2e::Process& program, const e2e::Window& window,
               const std::set<unsigned long>& known)
{
    for (int attempt = 0; attempt < 3 && program.running(); ++attempt) {
        screen.focus(window);
        screen.key({"ctrl+q"});
        if (e2e::waitUntil([&] { return !program.running() || screen.windowIds(program.pid()) != known; }, Seconds(3)))
            return;
    }
}

// Quits from the window. On a loaded machine the document may still be at work on its snaps: the question
// that asks then is answered Quit, which keeps them for the next start.
void quitEvenIfAsked(e2e::Screen& screen, e2e::Process& program, const e2e::Window& window)
{
    const auto known = screen.windowIds(program.pid());
    pressQuit(screen, program, window, known);
    // It ends (slowly, on a loaded machine), or it asks: a window it did not show before.
    const auto asks = [&] {
        for (const auto id : screen.windowIds(program.pid()))
            if (!known.count(id)) return true;
        return false;
    };
    e2e::waitUntil([&] { return !program.running() || asks(); }, e2e::waitLimit);
    if (program.running()) answerSecondButton(screen, program.pid(), known);
}

TEST(QuitAndRestore, AMovieWhoseFileNeverAnswersHoldsNeitherTheLaunchNorCtrlQ)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    e2e::TestFolder folder("fifo");
    const fs::path hung = folder.path / "hung.mp4";
    const fs::path alsoHung = folder.path / "also hung.mp4";
    ASSERT_EQ(mkfifo(hung.c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(alsoHung.c_str(), 0600), 0);
    const fs::path movie = folder.path / "movie.mp4";
    e2e::writeMovie(movie, 30, 320, 240, 10);

    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    const auto environment = e2e::programEnvironment(server, folder.path);
    e2e::Screen screen(server.display());

    e2e::step("the FIFO on the command line");
    {
        e2e::Program program({hung.string(), alsoHung.string(), movie.string()}, environment,
                             folder.path / "first.log");
        const auto window = program.waitForWindow(screen, "hung.mp4");
        ASSERT_TRUE(window) << program.output();
        ASSERT_TRUE(screen.waitForWindow(program.pid(), "also hung.mp4", e2e::waitLimit)) << program.output();
        const auto other = screen.waitForWindow(program.pid(), "movie.mp4", e2e::waitLimit);
        ASSERT_TRUE(other) << program.output();
        // Kept in the session, which is written a second after a change.
        ASSERT_TRUE(e2e::waitUntil([&] { return fs::exists(sessionFile(folder.path)); }, e2e::waitLimit));
        pressQuit(screen, program, *window, screen.windowIds(program.pid()));
        EXPECT_EQ(program.waitForExit(e2e::waitLimit), 0) << program.output();
    }
    e2e::step("the FIFO in the session");
    {
        e2e::Program program({}, environment, folder.path / "second.log");
        const auto window = program.waitForWindow(screen, "hung.mp4");
        ASSERT_TRUE(window) << program.output();
        ASSERT_TRUE(screen.waitForWindow(program.pid(), "also hung.mp4", e2e::waitLimit)) << program.output();
        const auto other = screen.waitForWindow(program.pid(), "movie.mp4", e2e::waitLimit);
        ASSERT_TRUE(other) << program.output();
        pressQuit(screen, program, *other, screen.windowIds(program.pid()));
        EXPECT_EQ(program.waitForExit(e2e::waitLimit), 0) << program.output();
    }
}

TEST(QuitAndRestore, CtrlQWithTheBatchWindowAndADocumentOpenEndsTheProgram)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    e2e::TestFolder folder("two-windows");
    const fs::path movie = folder.path / "movie.mp4";
    e2e::writeMovie(movie, 30, 320, 240, 10);
    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    e2e::Screen screen(server.display());
    e2e::Program program({movie.string()}, e2e::programEnvironment(server, folder.path), folder.path / "program.log");
    const auto document = program.waitForWindow(screen, "movie.mp4");
    ASSERT_TRUE(document) << program.output();
    std::optional<e2e::Window> batch;
    for (int attempt = 0; attempt < 3 && !batch; ++attempt) {
        screen.focus(*document);
        screen.key({"ctrl+b"});
        batch = screen.waitForWindow(program.pid(), "Batch", e2e::waitLimit);
    }
    ASSERT_TRUE(batch) << program.output();
    pressQuit(screen, program, *batch, screen.windowIds(program.pid()));
    EXPECT_EQ(program.waitForExit(e2e::waitLimit), 0) << program.output();
}

// Where the batch window's controls lie: points from the left and from the bottom of its content.
struct Spot {
    int x;
    int fromBottom;
};
constexpr Spot addMovies{70, 355};
constexpr Spot chooseFolder{70, 23};
constexpr Spot start{450, 23};

void click(e2e::Screen& screen, const e2e::Window& window, Spot spot)
{
    screen.click(window, spot.x, window.height - spot.fromBottom);
}

// Clicks the spot, then types the path into the panel that opens and confirms it.
bool choosePath(e2e::Screen& screen, int pid, const e2e::Window& batch, Spot spot, const fs::path& path)
{
    click(screen, batch, spot);
    const auto panel = screen.waitForNewWindow(pid, {batch.id}, e2e::waitLimit);
    if (!panel) return false;
    screen.focus(*panel);
    screen.type(path.string());
    screen.key({"Return"});
    return e2e::waitUntil([&] { return screen.windowIds(pid) == std::set<unsigned long>{batch.id}; }, e2e::waitLimit);
}

TEST(QuitAndRestore, CtrlQDuringABatchAnsweredQuitEndsTheProgramWithOnlyWholeImages)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    e2e::TestFolder folder("batch-quit");
    const fs::path movies = folder.path / "movies";
    const fs::path out = folder.path / "frames";
    fs::create_directories(movies);
    fs::create_directories(out);
    for (const char* name : {"first.mp4", "second.mp4"})
        e2e::writeMovie(movies / name, 600, 640, 360, 10);
    e2e::writeBatchSettings(folder.path / "config");

    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    e2e::Screen screen(server.display());
    e2e::Program program({}, e2e::programEnvironment(server, folder.path), folder.path / "program.log");
    e2e::step("opening the batch window");
    const auto drop = program.waitForWindow(screen, "");
    ASSERT_TRUE(drop) << program.output();
    screen.focus(*drop);
    screen.key({"ctrl+b"});
    const auto batch = screen.waitForWindow(program.pid(), "Batch", e2e::waitLimit);
    ASSERT_TRUE(batch) << program.output();
    e2e::waitUntil([&] { return screen.windowIds(program.pid()) == std::set<unsigned long>{batch->id}; },
                   e2e::waitLimit);
    screen.focus(*batch);

    e2e::step("adding the movies and the folder");
    ASSERT_TRUE(choosePath(screen, program.pid(), *batch, addMovies, movies)) << "no open panel";
    screen.focus(*batch);
    screen.key({"ctrl+a"});
    ASSERT_TRUE(choosePath(screen, program.pid(), *batch, chooseFolder, out)) << "no folder panel";

    e2e::step("starting the batch");
    screen.focus(*batch);
    ASSERT_TRUE(e2e::waitUntil([&] { return screen.focused() == batch->id; }, e2e::waitLimit)) << "no focus";
    click(screen, *batch, start);
    ASSERT_TRUE(e2e::waitUntil([&] { return e2e::filesIn(out) > 3; }, e2e::waitLimit)) << "the batch did not start\n"
                                                                                       << program.output();

    e2e::step("quitting");
    const auto known = screen.windowIds(program.pid());
    screen.focus(*batch);
    screen.key({"ctrl+q"});
    const auto question = answerSecondButton(screen, program.pid(), known);
    ASSERT_TRUE(question) << "no question\n" << program.output();
    // One question: no other window comes before the program ends.
    std::set<unsigned long> others;
    const bool ended = e2e::waitUntil(
        [&] {
            for (const auto id : screen.windowIds(program.pid()))
                if (!known.count(id) && id != question->id) others.insert(id);
            return !program.running();
        },
        e2e::waitLimit);
    EXPECT_TRUE(ended) << program.output();
    EXPECT_TRUE(others.empty()) << others.size() << " more questions";
    ASSERT_EQ(program.waitForExit(e2e::waitLimit), 0) << program.output();

    e2e::step("reading the files back");
    // Fewer frames than the batch had, each one a whole picture; nothing half-written left.
    const std::size_t written = e2e::filesIn(out);
    EXPECT_LT(written, std::size_t(2 * 600));
    for (const auto& entry : fs::directory_iterator(out)) {
        const std::string name = entry.path().filename().string();
        EXPECT_NE(name.front(), '.') << name;
        EXPECT_TRUE(gfx::ImageReader::read(core::Url::fileURL(entry.path().string()))) << name;
    }
}

TEST(QuitAndRestore, QuitDuringTheRestoreOf2000SnapsEndsTheProgramAndTheNextStartRestoresThemAll)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    e2e::TestFolder folder("restore-quit");
    const fs::path movie = folder.path / "movie.mp4";
    e2e::writeMovie(movie, 600, 640, 360, 10);
    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    const auto environment = e2e::programEnvironment(server, folder.path);
    e2e::Screen screen(server.display());

    e2e::step("generating the snaps");
    {
        e2e::Program program({movie.string()}, environment, folder.path / "first.log");
        const auto window = program.waitForWindow(screen, "movie.mp4");
        ASSERT_TRUE(window) << program.output();
        // Two series of 1,000 (the most one asks for) and their ends, through the generator's popover: its
        // frames field clicked and typed into, then its Generate button clicked.
        std::size_t kept = 0;
        for (int series = 0; series < 2; ++series) {
            const auto known = screen.windowIds(program.pid());
            screen.focus(*window);
            screen.key({"ctrl+g"});
            const auto popover = screen.waitForNewWindow(program.pid(), known, e2e::waitLimit);
            ASSERT_TRUE(popover) << "no popover";
            screen.click(*popover, 112, 83);
            screen.key({"ctrl+a"});
            screen.type("1000");
            screen.key({"Tab"});
            screen.click(*popover, 238, 150);
            ASSERT_TRUE(e2e::waitUntil([&] { return snapsInSession(folder.path) >= kept + 1000; }, Seconds(120)))
                << snapsInSession(folder.path) << " snaps kept\n"
                << program.output();
            kept = snapsInSession(folder.path);
        }
        quitEvenIfAsked(screen, program, *window);
        ASSERT_EQ(program.waitForExit(e2e::waitLimit), 0) << program.output();
    }
    const std::size_t count = snapsInSession(folder.path);
    ASSERT_GE(count, 2000u);

    e2e::step("quitting during the restore");
    {
        e2e::Program program({}, environment, folder.path / "second.log");
        const auto window = program.waitForWindow(screen, "movie.mp4");
        ASSERT_TRUE(window) << program.output();
        const auto known = screen.windowIds(program.pid());
        screen.focus(*window);
        screen.key({"ctrl+q"});
        ASSERT_TRUE(answerSecondButton(screen, program.pid(), known)) << "no question\n" << program.output();
        ASSERT_EQ(program.waitForExit(e2e::waitLimit), 0) << program.output();
    }
    EXPECT_EQ(snapsInSession(folder.path), count);

    e2e::step("restoring them all");
    {
        e2e::Program program({}, environment, folder.path / "third.log");
        const auto window = program.waitForWindow(screen, "movie.mp4");
        ASSERT_TRUE(window) << program.output();
        // Once restored, the program quits without a question, and keeps them all; asked while it still
        // restores, the test answers Cancel and tries again a little later.
        ASSERT_TRUE(e2e::waitUntil(
            [&] {
                const auto known = screen.windowIds(program.pid());
                screen.focus(*window);
                screen.key({"ctrl+q"});
                if (answerQuestion(screen, program.pid(), known, false, Seconds(3))) {
                    e2e::waitUntil([&] { return screen.windowIds(program.pid()) == known; }, e2e::waitLimit);
                    return false;
                }
                return !program.running();
            },
            Seconds(300)));
        EXPECT_EQ(program.waitForExit(e2e::waitLimit), 0) << program.output();
    }
    EXPECT_EQ(snapsInSession(folder.path), count);
}

TEST(QuitAndRestore, AMovieRenamedAwayAndBackKeepsItsSnapsAndIsNamedMeanwhile)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    e2e::TestFolder folder("renamed");
    const fs::path movie = folder.path / "movie.mp4";
    e2e::writeMovie(movie, 60, 320, 240, 10);
    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    const auto environment = e2e::programEnvironment(server, folder.path);
    e2e::Screen screen(server.display());

    e2e::step("taking snaps");
    {
        e2e::Program program({movie.string()}, environment, folder.path / "first.log");
        const auto window = program.waitForWindow(screen, "movie.mp4");
        ASSERT_TRUE(window) << program.output();
        ASSERT_TRUE(e2e::waitUntil(
            [&] {
                screen.focus(*window);
                screen.key({"Right", "Return"});
                return snapsInSession(folder.path) >= 3;
            },
            e2e::waitLimit));
        quitEvenIfAsked(screen, program, *window);
        ASSERT_EQ(program.waitForExit(e2e::waitLimit), 0) << program.output();
    }
    const std::size_t snaps = snapsInSession(folder.path);

    e2e::step("starting with the movie away");
    const fs::path away = folder.path / "elsewhere.mp4";
    fs::rename(movie, away);
    {
        e2e::Program program({}, environment, folder.path / "second.log");
        // The drop window, then the alert naming the movie over it (what it says is read in the program's
        // own tests); no document.
        const auto drop = program.waitForWindow(screen, "");
        ASSERT_TRUE(drop) << program.output();
        ASSERT_TRUE(answerQuestion(screen, program.pid(), {drop->id}, false)) << "no alert\n" << program.output();
        EXPECT_TRUE(screen.windows(program.pid(), "movie.mp4").empty());
        pressQuit(screen, program, *drop, {drop->id});
        ASSERT_EQ(program.waitForExit(e2e::waitLimit), 0) << program.output();
    }
    EXPECT_EQ(snapsInSession(folder.path), snaps);

    e2e::step("starting with the movie back");
    fs::rename(away, movie);
    {
        e2e::Program program({}, environment, folder.path / "third.log");
        const auto window = program.waitForWindow(screen, "movie.mp4");
        ASSERT_TRUE(window) << program.output();
        quitEvenIfAsked(screen, program, *window);
        ASSERT_EQ(program.waitForExit(e2e::waitLimit), 0) << program.output();
    }
    EXPECT_EQ(snapsInSession(folder.path), snaps);
}

}  // namespace
