// The batch window as a user works it: movies dropped on its table load in the background and show their
// details, the selection drives the labels, the preview's buttons and the frame count, rows go and come
// without the selection or a drop ever naming a row that is not there, and closing asks while tasks run.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include <gtest/gtest.h>

#include <limits>

#include "app/document/defaults_keys.h"
#include "app/document/document_actions.h"
#include "foundation/shortcuts.h"
#include "foundation/time_range_values.h"
#include "moviekit/movie_actions.h"
#include "moviekit/player.h"
#include "platform/core/user_notices.h"
#include "platform/ui/application.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/number_formatter.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/system_style.h"
#include "platform/ui/window.h"
#include "tests/app/batch_fixture.h"
#include "tests/app/batch_window_fixture.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"

namespace {

using batchwindow::BatchWindowTest;
using batchwindow::brokenRow;
using batchwindow::listedCount;
using batchwindow::movieFolder;
using vistrel::BatchState;

QColor textColour()
{
    const gfx::Color c = ui::SystemColor::text();
    return QColor::fromRgbF(float(c.r), float(c.g), float(c.b), float(c.a));
}

std::vector<std::string> names(const std::vector<orvalis::MovieRef>& movies)
{
    std::vector<std::string> result;
    for (const auto& movie : movies)
        result.push_back(movie->filename());
    return result;
}

TEST_F(BatchWindowTest, ADroppedFolderListsItsMoviesInOrderInTheBackgroundWithTheBrokenOneInRed)
{
    ASSERT_TRUE(drop({movieFolder()}, listedCount));
    EXPECT_TRUE(sawBusy);
    EXPECT_TRUE(testsupport::runUntil([&] { return !movies->outlets().filesProgress.lock()->isAnimating(); }));
    EXPECT_EQ(names(controller->movies()), (std::vector<std::string>{"a", "b", "broken", "c", "d", "e", "f"}));

    EXPECT_EQ(movieCell(0, "Filename"), "a");
    EXPECT_EQ(movieCell(0, "Resolution"), "160 x 120");
    EXPECT_EQ(movieCell(0, "FPS"), "10");
    EXPECT_EQ(movieCell(0, "Duration"), "00:00:03:000");
    EXPECT_EQ(movieCell(3, "FPS"), "25");
    EXPECT_EQ(movieCell(3, "Duration"), "00:00:02:000");
    EXPECT_EQ(movieCell(5, "FPS"), "30");  // 29.97
    EXPECT_EQ(movieCell(5, "Duration"), "00:00:03:003");
    EXPECT_EQ(movieColour(0), textColour());

    // The broken file is listed, in red in every column, saying why where the duration would be and in the
    // tooltip of its whole row; a movie that plays has no tooltip.
    EXPECT_FALSE(controller->movies()[brokenRow]->playable());
    EXPECT_EQ(movieCell(brokenRow, "Duration"), "Cannot be read: not a movie");
    // No size or rate of a picture it does not have.
    EXPECT_EQ(movieCell(brokenRow, "Resolution"), "");
    EXPECT_EQ(movieCell(brokenRow, "FPS"), "");
    for (const char* column : {"Filename", "Resolution", "FPS", "Duration"}) {
        auto& table = *movies->outlets().moviesTableView.lock();
        EXPECT_EQ(batchwindow::cellColour(table, brokenRow, column), QColor(Qt::red)) << column;
        EXPECT_EQ(batchwindow::cellToolTip(table, brokenRow, column).toStdString(),
                  (movieFolder() / "broken.mov").string() + "\nCannot be read: not a movie")
            << column;
        EXPECT_EQ(batchwindow::cellToolTip(table, 0, column).toStdString(), "") << column;
    }

    // The same file dropped again is listed again; dropped on row 0, it comes first.
    ASSERT_TRUE(drop({movieFolder() / "c.mkv", movieFolder() / "a.mp4"}, listedCount + 2, 0));
    EXPECT_EQ(names(controller->movies())[0], "c");
    EXPECT_EQ(names(controller->movies())[1], "a");
    EXPECT_EQ(names(controller->movies())[2], "a");
}

TEST_F(BatchWindowTest, MoviesWhoseNamesSayNothingAreListedByTheirContent)
{
    // Named in the drop, any file that reads as a movie; in a folder, those whose names say nothing else.
    testsupport::TempDir folder("batch-by-content");
    std::filesystem::create_directories(folder / "search");
    std::filesystem::copy_file(movieFolder() / "a.mp4", folder / "named.bin");
    std::filesystem::copy_file(movieFolder() / "c.mkv", folder / "search" / "take.dat");
    std::filesystem::copy_file(movieFolder() / "c.mkv", folder / "search" / "unnamed");
    std::filesystem::copy_file(movieFolder() / "notes.txt", folder / "text.dat");
    std::filesystem::copy_file(movieFolder() / "notes.txt", folder / "search" / "LICENSE");
    ASSERT_TRUE(drop({folder / "named.bin", folder / "text.dat", folder / "search"}, 3));
    EXPECT_EQ(names(controller->movies()), (std::vector<std::string>{"named", "take", "unnamed"}));
    for (const auto& movie : controller->movies())
        EXPECT_TRUE(movie->playable()) << movie->filename();
}

TEST_F(BatchWindowTest, TheSelectionDrivesTheLabelsThePreviewButtonsAndTheFrameCount)
{
    ASSERT_TRUE(drop({movieFolder()}, listedCount));
    setSplit(0, 1);
    auto overlay = movies->outlets().movieInfoField.lock();
    auto selection = movies->outlets().selectionLabel.lock();
    auto frames = tasks->outlets().framesLabel.lock();
    const std::vector<std::shared_ptr<ui::Button>> buttons{
        movies->outlets().showStartButton.lock(), movies->outlets().setStartButton.lock(),
        movies->outlets().showEndButton.lock(), movies->outlets().setEndButton.lock()};
    const auto buttonsEnabled = [&] {
        return std::all_of(buttons.begin(), buttons.end(), [](const auto& b) { return b->isEnabled(); });
    };
    const auto buttonsDisabled = [&] {
        return std::none_of(buttons.begin(), buttons.end(), [](const auto& b) { return b->isEnabled(); });
    };

    EXPECT_FALSE(overlay->isHidden());
    EXPECT_EQ(overlay->string(), "Selected movies: 0");
    EXPECT_EQ(frames->stringValue(), "Frames to write: 0");
    EXPECT_TRUE(buttonsDisabled());

    // A long list holds no player until a movie is previewed.
    for (const auto& movie : controller->movies())
        EXPECT_FALSE(movie->existingPlayer());
    selectMovies({0});
    EXPECT_TRUE(overlay->isHidden());
    EXPECT_EQ(selection->stringValue(), "Selected: 1");
    EXPECT_TRUE(buttonsEnabled());
    EXPECT_EQ(frames->stringValue(), "Frames to write: 2");
    auto preview = movies->outlets().movieViewController.lock();
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->movie(), controller->movies()[0]);
    auto player = controller->movies()[0]->existingPlayer();
    ASSERT_TRUE(player);
    EXPECT_EQ(player->userVolume(), 0);
    EXPECT_EQ(player->currentTime().seconds(), 0);

    // The broken movie adds nothing and keeps the overlay; two movies clear the preview.
    selectMovies({0, brokenRow, 3, 5});
    EXPECT_FALSE(overlay->isHidden());
    EXPECT_EQ(overlay->string(), "Selected movies: 4");
    EXPECT_FALSE(preview->movie());
    EXPECT_TRUE(buttonsDisabled());
    EXPECT_EQ(frames->stringValue(), "Frames to write: 6");  // 2 + 0 + 1 + 3

    selectMovies({brokenRow});
    EXPECT_FALSE(overlay->isHidden());
    EXPECT_TRUE(buttonsDisabled());
    EXPECT_EQ(frames->stringValue(), "Frames to write: 0");

    // The Edit menu's Select All and Deselect All reach the movies table along the window's responder chain.
    std::shared_ptr<ui::Responder> responder = controller->window();
    while (responder && !responder->respondsTo(ui::actions::selectAll))
        responder = responder->nextResponder();
    ASSERT_EQ(responder, std::static_pointer_cast<ui::Responder>(movies));
    responder->tryToPerform(ui::actions::selectAll, nullptr);
    EXPECT_EQ(controller->moviesSelection().count(), listedCount);
    EXPECT_EQ(frames->stringValue(), "Frames to write: 12");  // 2 + 0 + 2 + 1 + 2 + 3 + 2
    responder->tryToPerform(vistrel::actions::deselectAll, nullptr);
    EXPECT_TRUE(controller->moviesSelection().isEmpty());

    // The count follows the settings as they change.
    selectMovies({0, 3});
    setSplit(1, 5, true, true);
    EXPECT_TRUE(testsupport::runUntil([&] { return frames->stringValue() == "Frames to write: 18"; }))
        << frames->stringValue();  // (5 + 2) + (9 + 2), once their frames are read
}

// How many files of the process are open at or below the path: every decoder, player and reader of a movie
// keeps its file open.
int openFilesUnder(const std::filesystem::path& path)
{
    int open = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const auto target = std::filesystem::read_symlink(entry.path(), error);
        if (!error && target.string().rfind(path.string(), 0) == 0) ++open;
    }
    return open;
}

TEST_F(BatchWindowTest, ListedMoviesKeepNothingOpenUntilPreviewedAndGiveItBackAfterwards)
{
    testsupport::TempDir folder("listed");
    for (const char* name : {"a.mp4", "c.mkv", "e.mp4"})
        std::filesystem::copy_file(movieFolder() / name, folder.path() / name);
    ASSERT_TRUE(drop({folder.path()}, 3));
    EXPECT_EQ(openFilesUnder(folder.path()), 0);

    // The preview holds its movie only while it shows it.
    selectMovies({0});
    ASSERT_TRUE(controller->movies()[0]->existingPlayer());
    selectMovies({1});
    EXPECT_FALSE(controller->movies()[0]->existingPlayer());
    EXPECT_TRUE(testsupport::runUntil([&] { return openFilesUnder(folder.path() / "a.mp4") == 0; }));
    selectMovies({});
    EXPECT_TRUE(testsupport::runUntil([&] { return openFilesUnder(folder.path()) == 0; }));

    // A task lets go of its movie once its frames are written.
    testsupport::TempDir out("out");
    setSplit(0, 1);
    chooseExportFolder(out.path());
    selectMovies({0, 2});
    launch();
    ASSERT_TRUE(runUntilTasksFinished());
    EXPECT_EQ(batchtest::fileNames(out.path()).size(), 5u);
    EXPECT_TRUE(testsupport::runUntil([&] { return openFilesUnder(folder.path()) == 0; }))
        << openFilesUnder(folder.path());
}

TEST_F(BatchWindowTest, TheSelectionNeverNamesARowThatIsGone)
{
    ASSERT_TRUE(drop({movieFolder()}, listedCount));
    setSplit(0, 1);

    // The list shrinks under a selection of its last rows.
    selectMovies({5, 6});
    auto shorter = controller->movies();
    shorter.resize(3);
    controller->setMovies(shorter);
    EXPECT_TRUE(controller->moviesSelection().isEmpty());
    EXPECT_EQ(tasks->outlets().framesLabel.lock()->stringValue(), "Frames to write: 0");
    EXPECT_EQ(movies->outlets().selectionLabel.lock()->stringValue(), "Selected: 0");

    // Removing selected rows; removing with none selected keeps the list.
    selectMovies({0, 2});
    movies->removeSelectedMovies(nullptr);
    EXPECT_EQ(names(controller->movies()), (std::vector<std::string>{"b"}));
    EXPECT_TRUE(controller->moviesSelection().count() <= 1);
    selectMovies({});
    movies->removeSelectedMovies(nullptr);
    EXPECT_EQ(controller->movies().size(), 1u);

    // Closing empties the list; the selection goes with it.
    selectMovies({0});
    controller->window()->performClose(nullptr);
    EXPECT_FALSE(controller->window()->isVisible());
    EXPECT_TRUE(controller->movies().empty());
    EXPECT_TRUE(controller->moviesSelection().isEmpty());
    EXPECT_EQ(tasks->outlets().framesLabel.lock()->stringValue(), "Frames to write: 0");
}

TEST(BatchWindowController, KeepsItsSelectionWithinItsListWhateverTheTableReports)
{
    // No interface: nothing but the controller itself brings the selection in line.
    auto controller = core::make<vistrel::BatchWindowController>(ui::Window::create({0, 0, 200, 100}, 0));
    std::vector<orvalis::MovieRef> three;
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4"})
        three.push_back(orvalis::Movie::create(core::Url::fileURL(name)));
    controller->setMovies(three);
    controller->setMoviesSelection({0, 2, 5});
    EXPECT_EQ(controller->moviesSelection(), (core::IndexSet{0, 2}));
    controller->setMovies({three[0], three[1]});
    EXPECT_EQ(controller->moviesSelection(), (core::IndexSet{0}));
    controller->setMovies({});
    EXPECT_TRUE(controller->moviesSelection().isEmpty());
}

TEST_F(BatchWindowTest, ADropRowPastTheEndOfAListThatShrankWhileLoadingGoesToTheEnd)
{
    ASSERT_TRUE(drop({movieFolder() / "a.mp4", movieFolder() / "b.mov", movieFolder() / "c.mkv"}, 3));
    movies->insertMovies({core::Url::fileURL((movieFolder() / "d.avi").string())}, 3);
    // Rows go before the load ends: the main queue has not served its result yet.
    controller->setMovies({controller->movies()[0]});
    ASSERT_TRUE(testsupport::runUntil([&] { return controller->movies().size() == 2; }));
    EXPECT_EQ(names(controller->movies()), (std::vector<std::string>{"a", "d"}));
}

TEST_F(BatchWindowTest, ClosingWhileTasksRunAsksFirstAndThenCancelsAndClears)
{
    testsupport::TempDir out("out");
    ASSERT_TRUE(drop({movieFolder() / "a.mp4", movieFolder() / "b.mov", movieFolder() / "c.mkv"}, 3));
    setSplit(0, 1);
    chooseExportFolder(out.path());
    selectMovies({0, 1});
    std::vector<std::shared_ptr<vistrel::BatchTask>> launched;
    {
        batchtest::FramesHeld held;
        launch();
        launched = controller->manager()->tasks();
        ASSERT_EQ(launched.size(), 2u);

        batchwindow::AlertAnswer keep("Keep Working");
        controller->window()->performClose(nullptr);
        EXPECT_TRUE(keep.asked());
        EXPECT_EQ(keep.message(), "Batch tasks still running: 2");
        EXPECT_TRUE(controller->window()->isVisible());
        EXPECT_EQ(controller->manager()->tasks().size(), 2u);
        EXPECT_EQ(controller->movies().size(), 3u);

        batchwindow::AlertAnswer close("Close and Cancel");
        controller->window()->performClose(nullptr);
        EXPECT_TRUE(close.asked());
        EXPECT_FALSE(controller->window()->isVisible());
    }
    EXPECT_TRUE(controller->manager()->tasks().empty());
    EXPECT_TRUE(controller->movies().empty());
    for (const auto& task : launched)
        EXPECT_EQ(task->state(), BatchState::cancelled);
    EXPECT_TRUE(batchtest::runUntilFinished(launched));
    testsupport::runQueued();
    EXPECT_TRUE(batchtest::fileNames(out.path()).empty());

    // Shown again, the window is empty; with only stopped tasks it closes without a question.
    controller->showWindow(nullptr);
    ASSERT_TRUE(drop({movieFolder() / "a.mp4"}, 1));
    selectMovies({0});
    {
        batchtest::FramesHeld held;
        launch();
        selectTasks({0});
        tasks->stopSelectedTasks(nullptr);
    }
    batchwindow::AlertAnswer none("Keep Working");
    controller->window()->performClose(nullptr);
    EXPECT_FALSE(none.asked());
    EXPECT_FALSE(controller->window()->isVisible());
    EXPECT_TRUE(controller->manager()->tasks().empty());
}

TEST_F(BatchWindowTest, SettingsKeepTheirValuesForTheNextWindow)
{
    tasks->outlets().splitterMatrix.lock()->pressRow(2);
    batchwindow::type(*tasks->outlets().secondsSplitterField.lock(), "2.5");
    batchwindow::type(*tasks->outlets().countSplitterField.lock(), "12");
    batchwindow::type(*tasks->outlets().maxSizeField.lock(), "640");
    // A value the field's limits refuse leaves the stored one.
    batchwindow::type(*tasks->outlets().framesSplitterField.lock(), "-3");
    EXPECT_EQ(kestrane::Defaults[vistrel::BatchSplitterModeKey].intValue(), 2);
    EXPECT_EQ(kestrane::Defaults[vistrel::BatchEverySecondsKey].doubleValue(), 2.5);
    EXPECT_EQ(kestrane::Defaults[vistrel::BatchNbFramesKey].intValue(), 12);
    EXPECT_EQ(kestrane::Defaults[vistrel::BatchEveryFramesKey].intValue(), 5);

    auto next = vistrel::BatchWindowController::create();
    ASSERT_TRUE(next->window());
    auto settings = next->outlets().tasksController.lock()->settings();
    EXPECT_EQ(settings.splitterRow, 2);
    EXPECT_EQ(settings.seconds, 2.5);
    EXPECT_EQ(settings.count, 12);
    EXPECT_EQ(settings.frames, 5);
    EXPECT_EQ(settings.maxSize, 640);
    next->window()->close();
}

}  // namespace

namespace {

TEST_F(BatchWindowTest, TheFrameCountFollowsTheClipSetInThePreviewAtOnce)
{
    ASSERT_TRUE(drop({movieFolder() / "a.mp4"}, 1));
    setSplit(0, 1);
    selectMovies({0});
    auto frames = tasks->outlets().framesLabel.lock();
    EXPECT_EQ(frames->stringValue(), "Frames to write: 2");  // 1 s and 2 s of 3 s
    auto preview = movies->outlets().movieViewController.lock();
    auto player = controller->movies()[0]->existingPlayer();
    ASSERT_TRUE(preview && player);

    // Set Start at 1.5 s leaves 2.5 s; Set End at 2 s leaves nothing but the ends.
    player->seekAccurately(media::Time::make(1500, 1000));
    ASSERT_TRUE(testsupport::runUntil([&] { return std::abs(player->currentTime().seconds() - 1.5) < 0.01; }));
    ASSERT_TRUE(preview->tryToPerform(orvalis::actions::setClipStart, nullptr));
    EXPECT_EQ(frames->stringValue(), "Frames to write: 1");
    player->seekAccurately(media::Time::make(2000, 1000));
    ASSERT_TRUE(testsupport::runUntil([&] { return std::abs(player->currentTime().seconds() - 2) < 0.01; }));
    ASSERT_TRUE(preview->tryToPerform(orvalis::actions::setClipEnd, nullptr));
    EXPECT_EQ(frames->stringValue(), "Frames to write: 0");

    // The split fields count as they are typed in, before Return; the text stays as typed.
    player->setClipRange(kestrane::TimeRangeStatics::withDuration(media::Time::make(3, 1)));
    EXPECT_EQ(frames->stringValue(), "Frames to write: 2");
    auto* seconds = qobject_cast<QLineEdit*>(ui::controlWidget(*tasks->outlets().secondsSplitterField.lock()));
    ASSERT_TRUE(seconds);
    seconds->setFocus();
    seconds->selectAll();
    for (const char* key : {"0", ".", "5"}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(key));
        QApplication::sendEvent(seconds, &press);
    }
    EXPECT_EQ(seconds->text(), "0.5");
    EXPECT_EQ(frames->stringValue(), "Frames to write: 5");  // 0.5 to 2.5 s
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(seconds, &backspace);
    EXPECT_EQ(seconds->text(), "0.");
    EXPECT_EQ(frames->stringValue(), "Frames to write: 5");  // "0." is no valid interval
    batchwindow::type(*tasks->outlets().secondsSplitterField.lock(), "1");

    // Another movie previewed: the first one's clip no longer drives the count.
    ASSERT_TRUE(drop({movieFolder() / "c.mkv"}, 2));
    selectMovies({1});
    EXPECT_EQ(frames->stringValue(), "Frames to write: 1");
    player->setClipRange(kestrane::TimeRangeStatics::withDuration(media::Time::make(3, 1)));
    EXPECT_EQ(frames->stringValue(), "Frames to write: 1");
}

TEST_F(BatchWindowTest, TaskCommandsAreEnabledOnlyWhenTheyWouldActOnSomething)
{
    testsupport::TempDir out("out");
    ASSERT_TRUE(drop({movieFolder() / "a.mp4", movieFolder() / "b.mov"}, 2));
    setSplit(0, 1);
    chooseExportFolder(out.path());
    const auto enabled = [&] {
        std::string on;
        for (const auto& [name, button] : {std::pair{'R', tasks->outlets().revealButton},
                                           {'S', tasks->outlets().stopButton},
                                           {'U', tasks->outlets().resumeButton},
                                           {'C', tasks->outlets().cancelButton},
                                           {'D', tasks->outlets().removeFinishedButton}})
            if (button.lock()->isEnabled()) on += name;
        return on;
    };
    EXPECT_EQ(enabled(), "");

    selectMovies({0, 1});
    {
        batchtest::FramesHeld held;
        launch();
        ASSERT_EQ(controller->manager()->tasks().size(), 2u);
        EXPECT_EQ(enabled(), "");  // no task selected
        selectTasks({0});
        EXPECT_EQ(enabled(), "RSC");
        tasks->stopSelectedTasks(nullptr);
        EXPECT_TRUE(testsupport::runUntil([&] { return enabled() == "RUC"; })) << enabled();
        selectTasks({0, 1});
        EXPECT_EQ(enabled(), "RSUC");
        tasks->cancelSelectedTasks(nullptr);
    }
    ASSERT_TRUE(runUntilTasksFinished());
    ASSERT_TRUE(testsupport::runUntil([&] { return enabled() == "RD"; })) << enabled();

    // Clear Done needs no selection; with nothing finished left it is off again.
    selectTasks({});
    EXPECT_EQ(enabled(), "D");
    tasks->removeFinishedTasks(nullptr);
    EXPECT_TRUE(controller->manager()->tasks().empty());
    EXPECT_EQ(enabled(), "");
}

TEST_F(BatchWindowTest, SelectAllInTheTasksTableSelectsEveryTaskAndNewTasksScrollIntoView)
{
    testsupport::TempDir out("out");
    ASSERT_TRUE(drop({movieFolder()}, listedCount));
    setSplit(2, 1);
    chooseExportFolder(out.path());
    selectMovies({0, 1, 3, 4, 5, 6});
    auto table = tasks->outlets().tasksTableView.lock();
    auto* view = qobject_cast<QTableView*>(ui::controlWidget(*table));
    ASSERT_TRUE(view);
    const auto lastRowShows = [&] {
        const int last = view->model()->rowCount() - 1;
        const int top = view->rowViewportPosition(last);
        return last >= 0 && top >= 0 && top + view->rowHeight(last) <= view->viewport()->height();
    };
    std::size_t expected = 0;
    for (int round = 0; round < 4; ++round) {
        launch();
        expected += 6;
        ASSERT_EQ(controller->manager()->tasks().size(), expected);
        EXPECT_TRUE(lastRowShows()) << "after " << expected << " tasks";
    }
    ASSERT_GT(view->verticalScrollBar()->value(), 0);  // the rows do not all fit

    // Select All of the Edit menu, with the keyboard in the tasks table, selects the tasks, not the movies.
    ASSERT_TRUE(controller->window()->makeFirstResponder(table));
    ASSERT_TRUE(ui::Application::shared()->sendAction(ui::actions::selectAll, nullptr, nullptr));
    EXPECT_EQ(table->selectedRowIndexes().size(), expected);
    EXPECT_EQ(controller->moviesSelection().count(), 6u);
}

}  // namespace

namespace {

TEST_F(BatchWindowTest, ThePreviewOpensAtTheMoviesStartAsADocumentDoes)
{
    // Key frames every half second, one of them right at the middle: a preview that went to the middle, or
    // anywhere but the start, would land there.
    const auto movie = batchwindow::editListMovie();
    ASSERT_TRUE(drop({movie}, 1));
    selectMovies({0});
    auto player = controller->movies()[0]->existingPlayer();
    ASSERT_TRUE(player);
    EXPECT_NEAR(controller->movies()[0]->duration().seconds(), 4.004, 0.001);
    auto time = movies->outlets().movieViewController.lock()->timeField();
    testsupport::runQueued();  // a seek, had one been asked, has landed
    EXPECT_EQ(player->currentTime().seconds(), 0);
    EXPECT_EQ(time->stringValue(), "00:00:00:000");
}

}  // namespace

namespace {

TEST_F(BatchWindowTest, HugeStoredNumbersComeWithinTheFieldsRanges)
{
    const std::string* keys[] = {&vistrel::BatchSplitterModeKey,     &vistrel::BatchEverySecondsKey,
                                 &vistrel::BatchEveryFramesKey,      &vistrel::BatchNbFramesKey,
                                 &vistrel::BatchMaxSizeKey,          &vistrel::BatchImageFormatKey,
                                 &vistrel::BatchFileErrorHandlerKey, &vistrel::BatchSnapErrorHandlerKey};
    for (const core::Value& huge : {core::Value(std::numeric_limits<std::int64_t>::max()), core::Value(1e300),
                                    core::Value(-1e300), core::Value(std::numeric_limits<std::int64_t>::min())}) {
        SCOPED_TRACE(*huge.asDouble());
        for (const auto* key : keys)
            EXPECT_TRUE(kestrane::Defaults->set(*key, huge));
        auto next = vistrel::BatchWindowController::create();
        ASSERT_TRUE(next->window());
        auto settings = next->outlets().tasksController.lock()->settings();
        auto fields = {next->outlets().tasksController.lock()->outlets().secondsSplitterField.lock(),
                       next->outlets().tasksController.lock()->outlets().framesSplitterField.lock(),
                       next->outlets().tasksController.lock()->outlets().countSplitterField.lock(),
                       next->outlets().tasksController.lock()->outlets().maxSizeField.lock()};
        for (const auto& field : fields) {
            ASSERT_TRUE(field && field->formatter());
            const auto& formatter = *field->formatter();
            EXPECT_GE(field->doubleValue(), formatter.minimum().value_or(-1e300));
            EXPECT_LE(field->doubleValue(), formatter.maximum().value_or(1e300));
        }
        EXPECT_EQ(double(settings.frames),
                  next->outlets().tasksController.lock()->outlets().framesSplitterField.lock()->doubleValue());
        EXPECT_EQ(double(settings.count),
                  next->outlets().tasksController.lock()->outlets().countSplitterField.lock()->doubleValue());
        next->window()->close();
    }
}

TEST_F(BatchWindowTest, StoredSettingsTheControlsCannotShowAreTheDefaultsAgainAndTheUserIsTold)
{
    // As a hand-edited settings file leaves them: a text in a number field, pop-up items and a mode that do not
    // exist, a fraction where whole numbers go, no seconds at all.
    EXPECT_TRUE(kestrane::Defaults->set(vistrel::BatchEverySecondsKey, core::Value("often")));
    EXPECT_TRUE(kestrane::Defaults->set(vistrel::BatchNbFramesKey, core::Value(2.5)));
    EXPECT_TRUE(kestrane::Defaults->set(vistrel::BatchEveryFramesKey, core::Value(0)));
    EXPECT_TRUE(kestrane::Defaults->set(vistrel::BatchImageFormatKey, core::Value(7)));
    EXPECT_TRUE(kestrane::Defaults->set(vistrel::BatchFileErrorHandlerKey, core::Value(-1)));
    EXPECT_TRUE(kestrane::Defaults->set(vistrel::BatchSplitterModeKey, core::Value(3)));
    EXPECT_TRUE(kestrane::Defaults->set(vistrel::BatchMaxSizeKey, core::Value(640)));
    core::UserNotices::takePending();
    auto next = vistrel::BatchWindowController::create();
    ASSERT_TRUE(next->window());
    const auto& shown = *next->outlets().tasksController.lock();
    EXPECT_EQ(kestrane::Defaults[vistrel::BatchEverySecondsKey].doubleValue(), 1.0);
    EXPECT_EQ(kestrane::Defaults[vistrel::BatchNbFramesKey].intValue(), 10);
    EXPECT_EQ(kestrane::Defaults[vistrel::BatchEveryFramesKey].intValue(), 25);
    EXPECT_EQ(shown.outlets().secondsSplitterField.lock()->stringValue(), "1");
    EXPECT_EQ(shown.outlets().countSplitterField.lock()->integerValue(), 10);
    EXPECT_EQ(shown.outlets().framesSplitterField.lock()->integerValue(), 25);
    EXPECT_EQ(shown.outlets().formatPopUp.lock()->indexOfSelectedItem(), 0);
    EXPECT_EQ(shown.outlets().errorPopUp.lock()->indexOfSelectedItem(), 0);
    EXPECT_EQ(shown.outlets().splitterMatrix.lock()->selectedRow(), 0);
    // A value within its range stays.
    EXPECT_EQ(shown.outlets().maxSizeField.lock()->integerValue(), 640);
    // Told once in the run (each test is a run of its own), naming what was put back.
    const auto notices = core::UserNotices::takePending();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].message, "Some batch settings could not be used and are back to their defaults.");
    EXPECT_NE(notices[0].information.find("Every N seconds"), std::string::npos) << notices[0].information;
    EXPECT_EQ(notices[0].information.find("Largest side"), std::string::npos) << notices[0].information;
    // The settings file as it was is kept beside itself.
    EXPECT_NE(notices[0].information.find(".unreadable-"), std::string::npos) << notices[0].information;
    next->window()->close();
    auto again = vistrel::BatchWindowController::create();
    ASSERT_TRUE(again->window());
    EXPECT_TRUE(core::UserNotices::takePending().empty());
    again->window()->close();
    kestrane::Defaults[vistrel::BatchMaxSizeKey] = nullptr;
}

}  // namespace
