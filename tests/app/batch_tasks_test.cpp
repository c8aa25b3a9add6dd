// The batch window's tasks: each split mode writes exactly the frames it promises, the table follows every
// task's state, progress and failures as the user stops, resumes, cancels and clears them, the end of a batch
// is announced once, and settings that cannot give sound frames or sizes never reach a task.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>

#include <QComboBox>

#include "app/document/defaults_keys.h"
#include "foundation/shortcuts.h"
#include "foundation/url_extensions.h"
#include "moviekit/image_namer.h"
#include "moviekit/player.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/user_notification.h"
#include "platform/ui/window.h"
#include "tests/app/batch_fixture.h"
#include "tests/app/batch_window_fixture.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/full_folder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/url_catcher.h"
#include "tools/testmovie/test_movie.h"

namespace {

using batchwindow::BatchWindowTest;
using batchwindow::movieFolder;
using vistrel::BatchState;
namespace fs = std::filesystem;

// Picks the item of that title in the pop-up as the user does in its menu.
void pick(ui::PopUpButton& popUp, const std::string& title)
{
    auto* box = qobject_cast<QComboBox*>(ui::controlWidget(popUp));
    ASSERT_TRUE(box);
    const int index = box->findText(QString::fromStdString(title));
    ASSERT_GE(index, 0) << title;
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// The frame indexes of the files of one movie (by its name) in a folder.
std::multiset<int> framesOf(const fs::path& folder, const std::string& movie)
{
    std::multiset<int> frames;
    for (const auto& name : batchtest::fileNames(folder))
        if (name.rfind(movie + "-", 0) == 0) frames.insert(batchtest::frameIndexIn(folder / name));
    return frames;
}

class BatchTasksTest : public BatchWindowTest {
protected:
    void SetUp() override
    {
        BatchWindowTest::SetUp();
        ASSERT_TRUE(drop({movieFolder() / "a.mp4", movieFolder() / "c.mkv", movieFolder() / "e.mp4"}, 3));
    }

    // Launches the movies (all three unless told) with the split settings into a fresh folder and runs them
    // to their end.
    std::vector<std::shared_ptr<vistrel::BatchTask>> runAll(const fs::path& folder,
                                                            const std::vector<long>& rows = {0, 1, 2})
    {
        chooseExportFolder(folder);
        selectMovies(rows);
        const std::size_t before = controller->manager()->tasks().size();
        launch();
        const auto& all = controller->manager()->tasks();
        std::vector<std::shared_ptr<vistrel::BatchTask>> launched(all.begin() + long(before), all.end());
        EXPECT_TRUE(runUntilTasksFinished());
        return launched;
    }
};

TEST_F(BatchTasksTest, EachSplitModeWritesTheFramesItPromises)
{
    // Every second: 1, 2 s of a; 1 s of c; 1, 2, 3 s of e (3.003 s long).
    testsupport::TempDir seconds("seconds");
    setSplit(0, 1);
    EXPECT_EQ(tasks->outlets().framesLabel.lock()->stringValue(), "Frames to write: 0");
    selectMovies({0, 1, 2});
    EXPECT_EQ(tasks->outlets().framesLabel.lock()->stringValue(), "Frames to write: 6");
    auto launched = runAll(seconds.path());
    ASSERT_EQ(launched.size(), 3u);
    EXPECT_EQ(launched[0]->count(), 2);
    EXPECT_EQ(launched[1]->count(), 1);
    EXPECT_EQ(launched[2]->count(), 3);
    EXPECT_EQ(framesOf(seconds.path(), "a"), (std::multiset<int>{10, 20}));
    EXPECT_EQ(framesOf(seconds.path(), "c"), (std::multiset<int>{25}));
    EXPECT_EQ(framesOf(seconds.path(), "e"), (std::multiset<int>{29, 59, 89}));

    // Every 5 frames of each movie's own frames (also at 29.97 fps), with the start and the end.
    testsupport::TempDir frames("frames");
    setSplit(1, 5, true, true);
    selectMovies({0, 1, 2});
    // The label counts the frames once they are read, and says so meanwhile.
    EXPECT_TRUE(testsupport::runUntil([&] {
        return tasks->outlets().framesLabel.lock()->stringValue() == "Frames to write: 37";
    })) << tasks->outlets().framesLabel.lock()->stringValue();
    launched = runAll(frames.path());
    ASSERT_EQ(launched.size(), 3u);
    EXPECT_EQ(launched[0]->count(), 7);
    EXPECT_EQ(launched[1]->count(), 11);
    EXPECT_EQ(launched[2]->count(), 19);
    EXPECT_EQ(framesOf(frames.path(), "a"), (std::multiset<int>{0, 5, 10, 15, 20, 25, 29}));
    EXPECT_EQ(framesOf(frames.path(), "c"), (std::multiset<int>{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 49}));
    EXPECT_EQ(framesOf(frames.path(), "e"),
              (std::multiset<int>{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 89}));

    // Four in total with the start: the clip in five equal parts.
    testsupport::TempDir total("total");
    setSplit(2, 4, true, false);
    launched = runAll(total.path());
    ASSERT_EQ(launched.size(), 3u);
    for (const auto& task : launched) {
        EXPECT_EQ(task->count(), 5);
        EXPECT_EQ(task->state(), BatchState::complete);
        EXPECT_EQ(task->errors(), 0);
    }
    EXPECT_EQ(framesOf(total.path(), "a"), (std::multiset<int>{0, 6, 12, 18, 24}));
    EXPECT_EQ(framesOf(total.path(), "c"), (std::multiset<int>{0, 10, 20, 30, 40}));
}

TEST_F(BatchTasksTest, ATaskCoversTheClipSetInThePreview)
{
    testsupport::TempDir out("out");
    setSplit(2, 1, true, true);
    selectMovies({0});
    auto player = controller->movies()[0]->existingPlayer();
    ASSERT_TRUE(player);
    player->seekAccurately(media::Time::make(1, 1));
    movies->outlets().setStartButton.lock()->performClick(nullptr);
    player->seekAccurately(media::Time::make(2, 1));
    movies->outlets().setEndButton.lock()->performClick(nullptr);
    ASSERT_EQ(media::compare(player->clipRange().duration, media::Time::make(1, 1)), 0);
    EXPECT_EQ(tasks->outlets().framesLabel.lock()->stringValue(), "Frames to write: 3");
    auto launched = runAll(out.path(), {0});
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(framesOf(out.path(), "a"), (std::multiset<int>{10, 15, 20}));
}

TEST_F(BatchTasksTest, TheTableFollowsEachTaskAsItIsStoppedResumedCancelledAndCleared)
{
    testsupport::TempDir out("out");
    setSplit(0, 1);
    chooseExportFolder(out.path());
    selectMovies({0, 1, 2});
    std::vector<std::shared_ptr<vistrel::BatchTask>> launched;
    {
        batchtest::FramesHeld held;
        launch();
        launched = controller->manager()->tasks();
        ASSERT_EQ(launched.size(), 3u);
        ASSERT_TRUE(testsupport::runUntil([&] { return taskCell(2, "State") == "Processing"; }));
        EXPECT_EQ(taskCell(0, "Filename"), "a");
        EXPECT_EQ(taskCell(0, "Progress"), "0");
        EXPECT_EQ(taskCell(0, "Index"), "0");
        EXPECT_EQ(taskCell(0, "Total"), "2");
        EXPECT_EQ(taskCell(1, "Total"), "1");
        EXPECT_EQ(taskCell(0, "Errors"), "0");
        EXPECT_EQ(taskCell(0, "Destination").toStdString(),
                  kestrane::abbreviatedPath(core::Url::fileURL(out.path().string())));

        // Commands without a selected row do nothing.
        selectTasks({});
        tasks->stopSelectedTasks(nullptr);
        tasks->cancelSelectedTasks(nullptr);
        EXPECT_EQ(launched[0]->state(), BatchState::processing);

        selectTasks({0});
        tasks->stopSelectedTasks(nullptr);
        selectTasks({1});
        tasks->cancelSelectedTasks(nullptr);
        EXPECT_TRUE(testsupport::runUntil([&] { return taskCell(0, "State") == "Stopped"; }));
        EXPECT_TRUE(testsupport::runUntil([&] { return taskCell(1, "State") == "Cancelled"; }));
    }
    ASSERT_TRUE(testsupport::runUntil([&] { return taskCell(2, "State") == "Complete"; }));
    EXPECT_EQ(taskCell(2, "Progress"), "100");
    EXPECT_EQ(taskCell(2, "Index"), "3");
    testsupport::runQueued();
    EXPECT_EQ(launched[0]->index(), 0);
    EXPECT_EQ(taskCell(0, "State"), "Stopped");

    selectTasks({0});
    tasks->resumeSelectedTasks(nullptr);
    ASSERT_TRUE(testsupport::runUntil([&] { return taskCell(0, "State") == "Complete"; }));
    EXPECT_EQ(taskCell(0, "Progress"), "100");
    EXPECT_EQ(framesOf(out.path(), "a"), (std::multiset<int>{10, 20}));
    EXPECT_TRUE(framesOf(out.path(), "c").empty());

    // Revealing opens the file manager at the export folder; without one on the session, the folder that
    // holds it opens through the desktop. With no row selected nothing opens.
    {
        UrlCatcher catcher;
        selectTasks({});
        tasks->openSelectedTasks(nullptr);
        EXPECT_TRUE(catcher.urls.empty());
        selectTasks({0, 2});
        tasks->openSelectedTasks(nullptr);
        ASSERT_EQ(catcher.urls.size(), 1u);
        EXPECT_TRUE(fs::equivalent(catcher.urls[0].toLocalFile().toStdString(), out.path().parent_path()))
            << catcher.urls[0].toString().toStdString();
    }

    // A folder that does not exist fails every frame: the task stops at its first failure (a second frame may
    // have been on its way), and the row turns red and says why.
    chooseExportFolder(out.path() / "missing");
    selectMovies({0});
    launch();
    ASSERT_TRUE(runUntilTasksFinished());
    ASSERT_TRUE(testsupport::runUntil([&] { return taskCell(3, "Errors") != "0"; }));
    EXPECT_LE(controller->manager()->tasks()[3]->errors(), 2);
    EXPECT_EQ(taskCell(3, "State"), "Failed: No such file or directory");
    EXPECT_EQ(taskColour(3), QColor(Qt::red));
    EXPECT_NE(taskColour(0), QColor(Qt::red));

    // Clearing removes every finished task, selected or not.
    selectTasks({});
    tasks->removeFinishedTasks(nullptr);
    EXPECT_TRUE(controller->manager()->tasks().empty());
    EXPECT_EQ(tasks->outlets().tasksTableView.lock()->numberOfRows(), 0);
}

TEST_F(BatchTasksTest, TheEndOfABatchIsAnnouncedOnceAtItsNaturalEndOnly)
{
    testsupport::TempDir out("out");
    setSplit(0, 1);
    chooseExportFolder(out.path());
    auto& center = ui::UserNotificationCenter::defaultCenter();
    const auto settle = [] { testsupport::runQueued(); };
    kestrane::Defaults[vistrel::BatchAlertUserTypeKey] = 1;
    std::size_t before = center.deliveredNotifications().size();

    // Stopped, then resumed: nothing at the stop, one notice at the end, whatever comes after.
    selectMovies({0, 1});
    {
        batchtest::FramesHeld held;
        launch();
        selectTasks({0, 1});
        tasks->stopSelectedTasks(nullptr);
        settle();
        EXPECT_EQ(center.deliveredNotifications().size(), before);
        tasks->resumeSelectedTasks(nullptr);
    }
    ASSERT_TRUE(runUntilTasksFinished());
    ASSERT_TRUE(testsupport::runUntil([&] { return center.deliveredNotifications().size() > before; }));
    settle();
    ASSERT_EQ(center.deliveredNotifications().size(), before + 1);
    EXPECT_EQ(center.deliveredNotifications().back()->title(), "Batch finished");
    EXPECT_EQ(center.deliveredNotifications().back()->informativeText(), "Frames written: 3.");
    tasks->removeFinishedTasks(nullptr);
    settle();
    EXPECT_EQ(center.deliveredNotifications().size(), before + 1);

    // Cancelled, or a window closed while the batch runs: no notice.
    before = center.deliveredNotifications().size();
    selectMovies({0});
    {
        batchtest::FramesHeld held;
        launch();
        selectTasks({0});
        tasks->cancelSelectedTasks(nullptr);
    }
    ASSERT_TRUE(runUntilTasksFinished());
    {
        batchtest::FramesHeld held;
        launch();
        batchwindow::AlertAnswer close("Close and Cancel");
        controller->window()->performClose(nullptr);
    }
    settle();
    EXPECT_EQ(center.deliveredNotifications().size(), before);

    // No setting, no announcement.
    controller->showWindow(nullptr);
    ASSERT_TRUE(drop({movieFolder() / "a.mp4"}, 1));
    kestrane::Defaults[vistrel::BatchAlertUserTypeKey] = nullptr;
    selectMovies({0});
    launch();
    ASSERT_TRUE(runUntilTasksFinished());
    settle();
    EXPECT_EQ(center.deliveredNotifications().size(), before);
}

// A small file system of its own, mounted for the test's life where the test may mount one.
class Mount {
public:
    Mount(const fs::path& at, const std::string& options) : at_(at)
    {
        mounted_ =
            std::system(("mount -t tmpfs -o " + options + " tmpfs '" + at.string() + "' 2>/dev/null").c_str()) == 0;
    }
    ~Mount()
    {
        if (mounted_) std::system(("umount '" + at_.string() + "'").c_str());
    }
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;
    bool mounted() const { return mounted_; }

private:
    fs::path at_;
    bool mounted_ = false;
};

TEST_F(BatchTasksTest, AFullFolderEndsTheTasksWithTheirErrorsSaidAndNoPartOfAFile)
{
    testsupport::TempDir parent("parent");
    const fs::path out = parent.path() / "full";
    fs::create_directory(out);
    Mount full(out, "size=48k");
    if (!full.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    kestrane::Defaults[vistrel::BatchAlertUserTypeKey] = 1;
    auto& center = ui::UserNotificationCenter::defaultCenter();
    const std::size_t before = center.deliveredNotifications().size();
    setSplit(1, 1);  // every frame of a and c: 29 + 49
    ASSERT_TRUE(tasks->takeExportFolder(core::Url::fileURL(out.string())));
    const auto launched = runAll(out, {0, 1});
    std::int64_t failed = 0;
    std::int64_t written = 0;
    auto& table = *tasks->outlets().tasksTableView.lock();
    for (std::size_t row = 0; row < launched.size(); ++row) {
        const auto& task = launched[row];
        failed += task->errors();
        written += task->index() - task->errors();
        // Once the disk is full, the task stops at once and says why, in its State cell and its tooltip.
        if (task->errors() > 0) {
            EXPECT_EQ(task->stopReason(), "No space left on device");
            EXPECT_LT(task->index(), task->count());
            EXPECT_EQ(taskCell(long(row), "State").toStdString(), "Failed: No space left on device");
            const std::string tip = batchwindow::cellToolTip(table, long(row), "State").toStdString();
            EXPECT_NE(tip.find("no frame can be written in “" + out.string() + "” (No space left on device)"),
                      std::string::npos)
                << tip;
            EXPECT_NE(tip.find("Cannot write image at url : " + out.string()), std::string::npos) << tip;
        }
    }
    ASSERT_GT(failed, 0);
    // Only whole pictures, and no trace of the ones that did not fit.
    const auto names = batchtest::fileNames(out);
    EXPECT_EQ(std::int64_t(names.size()), written);
    for (const auto& entry : fs::directory_iterator(out)) {
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
        EXPECT_GE(batchtest::frameIndexIn(entry.path()), 0) << entry.path();
    }
    ASSERT_TRUE(testsupport::runUntil([&] { return center.deliveredNotifications().size() > before; }));
    testsupport::runQueued();
    ASSERT_EQ(center.deliveredNotifications().size(), before + 1);
    EXPECT_EQ(center.deliveredNotifications().back()->informativeText(),
              "Frames written: " + std::to_string(written) + ". Frames that failed: " + std::to_string(failed) + ".");
    kestrane::Defaults[vistrel::BatchAlertUserTypeKey] = nullptr;
}

TEST_F(BatchTasksTest, FoldersThatCannotBeWrittenAndMoviesThatCannotBeReadAreSaidSo)
{
    testsupport::TempDir parent("parent");
    const fs::path readOnly = parent.path() / "sealed";
    fs::create_directory(readOnly);
    {
        Mount sealed(readOnly, "ro,size=16k");
        if (!sealed.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
        testsupport::TempDir writable("writable");
        ASSERT_TRUE(tasks->takeExportFolder(core::Url::fileURL(writable.path().string())));
        batchwindow::AlertAnswer answer("OK");
        EXPECT_FALSE(tasks->takeExportFolder(core::Url::fileURL(readOnly.string())));
        EXPECT_TRUE(answer.asked());
        EXPECT_EQ(answer.message(), "The folder “sealed” cannot be written to.");
        EXPECT_EQ(tasks->exportURL()->path(), writable.path().string());
    }

    // A movie that cannot be read is listed, says why, and the launch says it was left out.
    testsupport::TempDir out("out");
    ASSERT_TRUE(drop({movieFolder() / "broken.mov"}, 4));
    EXPECT_EQ(movieCell(3, "Duration"), "Cannot be read: not a movie");
    setSplit(0, 1);
    chooseExportFolder(out.path());
    selectMovies({0, 3});
    {
        batchwindow::AlertAnswer answer("OK");
        launch();
        EXPECT_TRUE(answer.asked());
        EXPECT_EQ(answer.message(), "Movies left out: 1");
    }
    EXPECT_EQ(controller->manager()->tasks().size(), 1u);
    EXPECT_TRUE(runUntilTasksFinished());
}

TEST_F(BatchTasksTest, TheStateOfATaskThatFailedSaysWhatFailedInItsTooltip)
{
    auto& table = *tasks->outlets().tasksTableView.lock();
    const auto stateTip = [&](long row) { return batchwindow::cellToolTip(table, row, "State").toStdString(); };
    tasks->outlets().logsPopUp.lock()->selectItemAtIndex(1);  // write a log file
    setSplit(0, 1);

    // Every frame written, the log not: a folder stands where it should go.
    testsupport::TempDir out("out");
    fs::create_directory(out.path() / "a-logs.txt");
    auto launched = runAll(out.path(), {0});
    ASSERT_EQ(launched.size(), 1u);
    ASSERT_EQ(launched[0]->errors(), 1);
    EXPECT_EQ(stateTip(0),
              "The log \"a-logs.txt\" cannot be written in \"" + out.path().string() + "\": Is a directory.");
    for (const char* column : {"Filename", "Progress", "Errors", "Destination"})
        EXPECT_EQ(batchwindow::cellToolTip(table, 0, column), "") << column;

    // Nothing failed: no tooltip.
    fs::remove(out.path() / "a-logs.txt");
    launched = runAll(out.path(), {1});
    ASSERT_EQ(launched.size(), 1u);
    ASSERT_EQ(launched[0]->errors(), 0);
    EXPECT_EQ(stateTip(1), "");

    // A full disk: no frame and no log written, and the system's reason.
    testsupport::FullFolder full;
    if (!full.mounted()) GTEST_SKIP() << "no right to mount a small file system here";
    launched = runAll(full.path(), {0});
    ASSERT_EQ(launched.size(), 1u);
    // The first frame that fails stops the task; a second one may have been on its way already.
    const std::int64_t frames = launched[0]->errors() - 1;
    ASSERT_GE(frames, 1) << "the frames and the log";
    ASSERT_LE(frames, 2);
    std::string expected =
        "Stopped after " + std::to_string(launched[0]->index()) + " of 2 frames: no frame can be written in “" +
        full.path().string() +
        "” (No space left on device).\nFrames that could not be taken or written: " + std::to_string(frames) + ".\n";
    const auto lines = launched[0]->failedFrames(20);
    ASSERT_EQ(std::int64_t(lines.size()), frames);
    for (const auto& line : lines) {
        EXPECT_EQ(line.rfind("Cannot write image at url : " + full.path().string() + "/a-00-00-0", 0), 0u) << line;
        EXPECT_EQ(line.substr(line.size() - 25), ": No space left on device") << line;
        expected += line + "\n";
    }
    expected +=
        "The log \"a-logs.txt\" cannot be written in \"" + full.path().string() + "\": No space left on device.";
    EXPECT_EQ(stateTip(2), expected);
}

TEST_F(BatchTasksTest, WhatTheUserPicksInThePopUpsIsWhatEachTaskLaunchedAfterwardsDoes)
{
    auto& takenName = *tasks->outlets().errorPopUp.lock();
    auto& log = *tasks->outlets().logsPopUp.lock();
    testsupport::TempDir out("out");
    chooseExportFolder(out.path());
    setSplit(2, 1);
    selectMovies({0});
    for (const bool anotherName : {true, false})
        for (const bool writeLog : {false, true}) {
            pick(takenName, anotherName ? "Use another name" : "Replace the file");
            pick(log, writeLog ? "Write a log file" : "Count them only");
            launch();
            const auto task = controller->manager()->tasks().back();
            EXPECT_EQ(task->useAlternativeName(), anotherName) << takenName.titleOfSelectedItem();
            EXPECT_EQ(task->shouldWriteLog(), writeLog) << log.titleOfSelectedItem();
        }
    EXPECT_EQ(controller->manager()->tasks().size(), 4u);
    EXPECT_TRUE(runUntilTasksFinished());
}

// The movie files of the folder that the process holds open at this moment.
std::set<std::string> openMovies(const fs::path& folder)
{
    std::set<std::string> open;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const auto target = fs::read_symlink(entry.path(), error);
        if (!error && target.parent_path() == folder) open.insert(target.filename().string());
    }
    return open;
}

TEST_F(BatchTasksTest, ABatchOfManyMoviesWorksOnAFewAtATime)
{
    testsupport::TempDir folder("many");
    std::vector<fs::path> copies;
    for (int i = 0; i < 6; ++i) {
        copies.push_back(folder.path() / ("m" + std::to_string(i) + ".mp4"));
        fs::copy_file(movieFolder() / "a.mp4", copies.back());
    }
    ASSERT_TRUE(drop(copies, 9));
    testsupport::TempDir out("out");
    setSplit(1, 1);  // every frame
    chooseExportFolder(out.path());
    selectMovies({3, 4, 5, 6, 7, 8});
    // The window counts the selected movies' frames first, reading one movie at a time of its own.
    ASSERT_TRUE(testsupport::runUntil([&] {
        const auto& movies = controller->movies();
        return std::all_of(movies.begin() + 3, movies.end(), [](const auto& m) { return m->existingFrameTimes(); });
    }));
    launch();
    // As many movies at work at once as frames may be (two in these tests), never all six.
    std::size_t most = 0;
    const auto& all = controller->manager()->tasks();
    testsupport::runUntil(
        [&] {
            most = std::max(most, openMovies(folder.path()).size());
            return std::all_of(all.begin(), all.end(), [](const auto& task) { return task->isFinished(); });
        },
        60);
    EXPECT_LE(most, 2u);
    EXPECT_GE(most, 1u);
    for (const auto& task : all)
        EXPECT_EQ(task->index(), 29);
    EXPECT_EQ(batchtest::fileNames(out.path()).size(), 6u * 29u);
}

// Tasks of every N frames launched before their movies' frames were counted read the frame times themselves,
// in their turn since reading opens the movie, and each closes its movie before it hands its turn on: never
// more movies open than turns.
TEST(BatchTaskTurns, NoMoreMoviesOpenThanTurnsWhenTasksReadTheirOwnFrameTimes)
{
    testsupport::TempDir folder("unread");
    testsupport::TempDir out("out");
    testmovie::MovieSpec spec;
    spec.width = spec.height = 16;
    spec.rateNum = 100;
    spec.rateDen = 1;
    spec.frameCount = 12000;
    spec.keyInterval = 250;
    spec.bFrames = false;
    testmovie::writeMovie((folder.path() / "m0.mp4").string(), spec);
    std::vector<std::shared_ptr<vistrel::BatchTask>> tasks;
    for (int i = 0; i < 6; ++i) {
        const fs::path path = folder.path() / ("m" + std::to_string(i) + ".mp4");
        if (i > 0) fs::copy_file(folder.path() / "m0.mp4", path);
        orvalis::TimeSplitter splitter(media::TimeRange{media::Time::zero(), media::Time::make(120, 1)});
        splitter.frameStep = 4000;
        tasks.push_back(batchtest::makeTask(path.string(), out.path() / std::to_string(i), splitter));
        fs::create_directory(out.path() / std::to_string(i));
        // Listed as the batch window lists it: probed, keeping no decoder.
        ASSERT_TRUE(tasks.back()->movie()->playable());
        tasks.back()->movie()->avasset()->keepIdleDecodersOnlyWhileHeld();
    }
    for (const auto& task : tasks)
        task->start();
    std::size_t most = 0;
    testsupport::runUntil(
        [&] {
            most = std::max(most, openMovies(folder.path()).size());
            return std::all_of(tasks.begin(), tasks.end(), [](const auto& task) { return task->isFinished(); });
        },
        60);
    EXPECT_LE(most, 2u);
    for (const auto& task : tasks) {
        EXPECT_EQ(task->state(), BatchState::complete);
        EXPECT_EQ(task->count(), 2);
    }
}

TEST_F(BatchTasksTest, UnsoundSettingsNeverReachATask)
{
    testsupport::TempDir out("out");
    selectMovies({0});

    // Without an export folder, or without a movie selected, nothing launches, and Start says why.
    setSplit(0, 1);
    const auto refusal = [&] {
        batchwindow::AlertAnswer answer("OK");
        launch();
        EXPECT_TRUE(answer.asked());
        EXPECT_EQ(answer.message(), "The batch cannot start");
        return answer.information();
    };
    EXPECT_EQ(refusal(), "No export folder is chosen. Choose the folder the images go to, then start again.");
    EXPECT_TRUE(controller->manager()->tasks().empty());
    chooseExportFolder(out.path());
    selectMovies({});
    EXPECT_EQ(refusal(), "No movie is selected. Select the movies to take images of in the list, then start again.");
    selectMovies({0});

    // Stored values the fields would never take: no frames, no task, and Start says why.
    const auto launchWith = [&](long row, auto&& setField) {
        tasks->outlets().splitterMatrix.lock()->selectCellAtRow(row);
        setField();
        tasks->updateComponents();
        const std::string label = tasks->outlets().framesLabel.lock()->stringValue();
        EXPECT_EQ(refusal().rfind("The settings give no frames to write", 0), 0u);
        return label;
    };
    EXPECT_EQ(launchWith(0, [&] { tasks->outlets().secondsSplitterField.lock()->setDoubleValue(0); }),
              "Frames to write: 0");
    EXPECT_EQ(launchWith(0, [&] { tasks->outlets().secondsSplitterField.lock()->setDoubleValue(-2); }),
              "Frames to write: 0");
    EXPECT_EQ(launchWith(1, [&] { tasks->outlets().framesSplitterField.lock()->setIntegerValue(0); }),
              "Frames to write: 0");
    EXPECT_EQ(launchWith(2, [&] { tasks->outlets().countSplitterField.lock()->setIntegerValue(-1); }),
              "Frames to write: 0");
    EXPECT_TRUE(controller->manager()->tasks().empty());

    // A size below zero or no number at all means no limit.
    tasks->outlets().countSplitterField.lock()->setIntegerValue(1);
    for (double size : {-640.0, std::nan("")}) {
        tasks->outlets().maxSizeField.lock()->setDoubleValue(size);
        auto task = tasks->makeTask(controller->movies()[0]);
        ASSERT_TRUE(task);
        EXPECT_EQ(task->maxSize(), 0);
    }
}

TEST_F(BatchTasksTest, NoFrameReplacesAFileOfItsLaunchWhateverTheSettingWhichGovernsOlderFiles)
{
    // Movies of one name in two folders, one of them twice, and a template that tells frames of one movie
    // apart but neither movies nor times: the first frame of every movie is named "a1.png", the second "a2.png".
    testsupport::TempDir x("x");
    testsupport::TempDir y("y");
    fs::copy_file(movieFolder() / "a.mp4", x.path() / "a.mp4");
    fs::copy_file(movieFolder() / "b.mov", y.path() / "a.mp4");
    fs::copy_file(movieFolder() / "c.mkv", y.path() / "a.mkv");
    ASSERT_TRUE(drop({x.path() / "a.mp4", y.path() / "a.mp4", y.path() / "a.mkv", x.path() / "a.mp4"}, 7));
    kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = core::Array{
        core::Value("<movie_name>"), core::Value("<frame_index>"), core::Value("."), core::Value("<image_extension>")};
    setSplit(0, 1);  // 1 and 2 s of each 3 s movie, 1 s of the 2 s one: 7 frames
    const auto popUp = tasks->outlets().errorPopUp.lock();
    ASSERT_EQ(popUp->itemTitles(), (std::vector<std::string>{"Replace the file", "Use another name"}));

    for (const long choice : {0L, 1L}) {
        SCOPED_TRACE(popUp->itemTitles()[std::size_t(choice)]);
        testsupport::TempDir out("out");
        // A file that was there before the launch.
        std::ofstream(out.path() / "a1.png") << "there before";
        popUp->selectItemAtIndex(choice);
        const auto launched = runAll(out.path(), {3, 4, 5, 6});
        std::int64_t written = 0;
        for (const auto& task : launched) {
            EXPECT_EQ(task->errors(), 0);
            written += task->index();
        }
        EXPECT_EQ(written, 7);
        std::multiset<int> frames;
        for (const auto& name : batchtest::fileNames(out.path()))
            if (name.rfind("a", 0) == 0) frames.insert(batchtest::frameIndexIn(out.path() / name));
        // Replacing takes the old file's place; another name keeps it beside the seven.
        EXPECT_EQ(frames, choice == 0 ? (std::multiset<int>{10, 10, 10, 20, 20, 20, 25})
                                      : (std::multiset<int>{-1, 10, 10, 10, 20, 20, 20, 25}));
        EXPECT_EQ(batchtest::readText(out.path() / "a1.png") == "there before", choice == 1);
    }
}

TEST_F(BatchTasksTest, TwoMoviesOfOneNameReplacedAtEveryLaunchKeepEachItsOwnNames)
{
    // "a" at 10 and at 25 frames a second: their frames at 1 s show 10 and 25.
    testsupport::TempDir x("x");
    testsupport::TempDir y("y");
    fs::copy_file(movieFolder() / "a.mp4", x.path() / "a.mp4");
    fs::copy_file(movieFolder() / "c.mkv", y.path() / "a.mkv");
    ASSERT_TRUE(drop({x.path() / "a.mp4", y.path() / "a.mkv"}, 5));
    kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = nullptr;  // "<movie_name>-<time_hhmmssms>.<ext>"
    setSplit(0, 1);
    tasks->outlets().errorPopUp.lock()->selectItemAtIndex(0);  // replace the file
    testsupport::TempDir out("out");
    for (int launch = 0; launch < 3; ++launch) {
        SCOPED_TRACE(launch);
        runAll(out.path(), {3, 4});
        EXPECT_EQ(batchtest::frameIndexIn(out.path() / "a-00-00-01-000.png"), 10);
        EXPECT_EQ(batchtest::frameIndexIn(out.path() / "a-00-00-02-000.png"), 20);
        EXPECT_EQ(batchtest::frameIndexIn(out.path() / "a-00-00-01-000 (0).png"), 25);
        EXPECT_EQ(batchtest::fileNames(out.path()).size(), 3u);
    }
}

TEST_F(BatchTasksTest, TemplatesThatWouldLeaveTheFolderOrNameNothingWriteNothingOutsideIt)
{
    testsupport::TempDir parent("parent");
    const fs::path out = parent.path() / "out";
    fs::create_directory(out);
    setSplit(0, 1);
    chooseExportFolder(out);
    selectMovies({0});
    const auto useTemplate = [](const std::vector<std::string>& markups) {
        core::Array tokens;
        for (const auto& markup : markups)
            tokens.emplace_back(markup);
        kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = tokens;
    };
    // Templates that name nothing, a hidden file, every frame alike or files without the image's extension start
    // no task, and say why.
    for (const std::vector<std::string>& markups : {std::vector<std::string>{},
                                                    {".."},
                                                    {"..", "/", "..", "/", "escaped"},
                                                    {"same", ".", "<image_extension>"},
                                                    {"x", "<frame_index>"}}) {
        useTemplate(markups);
        batchwindow::AlertAnswer answer("OK");
        launch();
        EXPECT_TRUE(answer.asked());
        EXPECT_FALSE(answer.message().empty());
        EXPECT_TRUE(controller->manager()->tasks().empty());
    }
    // Separators in a template stay inside the folder.
    for (const std::vector<std::string>& markups :
         {std::vector<std::string>{"x", "/", "..", "/", "escaped", "<frame_index>", ".", "<image_extension>"},
          {parent.path().string(), "/", "x", "<frame_index>", ".", "<image_extension>"}}) {
        useTemplate(markups);
        launch();
        ASSERT_TRUE(runUntilTasksFinished());
    }
    EXPECT_TRUE(fs::is_directory(out));
    std::vector<std::string> inParent;
    for (const auto& entry : fs::directory_iterator(parent.path()))
        inParent.push_back(entry.path().filename());
    EXPECT_EQ(inParent, (std::vector<std::string>{"out"}));
    ASSERT_EQ(controller->manager()->tasks().size(), 2u);
    for (const auto& task : controller->manager()->tasks())
        EXPECT_EQ(task->errors(), 0);
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out)) {
        EXPECT_TRUE(entry.is_regular_file());
        ++files;
    }
    EXPECT_EQ(files, 4u);
}

TEST_F(BatchTasksTest, TasksEndingAfterTheirWindowClosedOrTheirControllerWentAwayCallNobody)
{
    testsupport::TempDir out("out");
    setSplit(1, 1);  // every frame: 29 of a
    chooseExportFolder(out.path());
    selectMovies({0});
    // No frame starts until both have ended, so that neither can complete first on a busy machine.
    std::optional<batchtest::FramesHeld> held(std::in_place);
    launch();
    auto closing = controller->manager()->tasks().front();
    {
        batchwindow::AlertAnswer close("Close and Cancel");
        controller->window()->performClose(nullptr);
    }
    EXPECT_FALSE(controller->window()->isVisible());

    controller->showWindow(nullptr);
    ASSERT_TRUE(drop({movieFolder() / "a.mp4"}, 1));
    selectMovies({0});
    launch();
    auto orphan = controller->manager()->tasks().front();
    std::weak_ptr<vistrel::BatchManager> manager = controller->manager();
    std::weak_ptr<vistrel::BatchTasksController> delegate = tasks;
    // The window goes off the screen without closing: only the controller's end stops the task.
    controller->window()->orderOut(nullptr);
    controller.reset();
    movies.reset();
    tasks.reset();
    EXPECT_TRUE(manager.expired());
    EXPECT_TRUE(delegate.expired());
    held.reset();
    EXPECT_TRUE(batchtest::runUntilFinished({closing, orphan}));
    testsupport::runQueued();
    EXPECT_EQ(closing->state(), BatchState::cancelled);
    EXPECT_EQ(orphan->state(), BatchState::cancelled);
    // A cancelled task starts no frame.
    EXPECT_TRUE(batchtest::fileNames(out.path()).empty());
}

}  // namespace
