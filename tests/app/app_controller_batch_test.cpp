// The application controller's batch share: one batch window for the whole run, opened from the menu, keeping
// the drop window closed while it shows, and the question at quit about batch tasks still running, whose Quit
// stops them.
#include <gtest/gtest.h>

#include "app/batch/batch_window_controller.h"
#include "app/batch/preferences_window_controller.h"
#include "app/document/app_controller.h"
#include "app/document/app_controller_actions.h"
#include "app/document/application_parts.h"
#include "app/document/drop_window_controller.h"
#include "platform/ui/window.h"
#include "tests/app/batch_fixture.h"
#include "tests/app/batch_window_fixture.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"

namespace {

// A controller launched as the program launches it, whose alerts the test answers.
class AppControllerBatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        vistrel::registerApplicationParts();
        controller->setAlertRunner([this](ui::Alert& alert) {
            asked.push_back(alert.messageText());
            return answer;
        });
        controller->applicationWillFinishLaunching();
        controller->applicationDidFinishLaunching();
    }
    void TearDown() override
    {
        if (auto batch = controller->batchWindowController()) {
            batch->manager()->cancelAllTasks();
            batch->window()->close();
        }
        controller->applicationWillTerminate();
        vistrel::DropWindowController::sharedController()->close();
        testsupport::runQueued();
    }
    bool dropWindowShown() const
    {
        auto drop = vistrel::DropWindowController::sharedController();
        return drop->isWindowLoaded() && drop->window()->isVisible();
    }

    std::shared_ptr<vistrel::AppController> controller = core::make<vistrel::AppController>();
    std::vector<std::string> asked;
    ui::ModalResponse answer = ui::ModalResponses::alertFirstButton;
};

TEST_F(AppControllerBatch, AVisibleBatchWindowKeepsTheDropWindowClosed)
{
    EXPECT_TRUE(dropWindowShown());
    EXPECT_FALSE(controller->batchWindowController());
    EXPECT_TRUE(controller->tryToPerform(vistrel::actions::showBatchWindow, nullptr));
    auto batch = controller->batchWindowController();
    ASSERT_TRUE(batch);
    EXPECT_TRUE(batch->window()->isVisible());
    EXPECT_FALSE(dropWindowShown());
    controller->applicationShouldOpenUntitledFile();
    EXPECT_FALSE(dropWindowShown());

    // Closed, the batch window keeps its controller; shown again, it is the same one, and the rule shows the
    // drop window only while it is hidden.
    batch->window()->performClose(nullptr);
    EXPECT_EQ(controller->batchWindowController(), batch);
    controller->toggleDropWindowIfNeeded();
    EXPECT_TRUE(dropWindowShown());
    controller->showBatchWindow(nullptr);
    EXPECT_EQ(controller->batchWindowController(), batch);
    EXPECT_FALSE(dropWindowShown());

    EXPECT_TRUE(controller->tryToPerform(vistrel::actions::showPreferencesWindow, nullptr));
    EXPECT_TRUE(vistrel::PreferencesWindowController::sharedController()->window()->isVisible());
    vistrel::PreferencesWindowController::sharedController()->window()->close();
}

TEST_F(AppControllerBatch, QuittingAsksAboutRunningBatchTasksOnly)
{
    // Before the batch window was ever shown, nothing is asked.
    EXPECT_EQ(controller->applicationShouldTerminate(), ui::TerminateReply::terminateNow);
    EXPECT_TRUE(asked.empty());

    controller->showBatchWindow(nullptr);
    auto batch = controller->batchWindowController();
    testsupport::TempDir out("out");
    auto tasks = batch->outlets().tasksController.lock();
    tasks->setExportURL(core::Url::fileURL(out.path().string()));
    batch->outlets().moviesController.lock()->addMovies(
        {core::Url::fileURL((batchwindow::movieFolder() / "a.mp4").string()),
         core::Url::fileURL((batchwindow::movieFolder() / "b.mov").string())});
    ASSERT_TRUE(testsupport::runUntil([&] { return batch->movies().size() == 2; }));
    batch->setMoviesSelection({0, 1});
    batchtest::FramesHeld held;
    tasks->launchSnapTasks(nullptr);
    ASSERT_EQ(batch->manager()->tasks().size(), 2u);

    // Cancel keeps everything.
    EXPECT_EQ(controller->applicationShouldTerminate(), ui::TerminateReply::terminateCancel);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "Batch tasks still running: 2");
    for (const auto& task : batch->manager()->tasks())
        EXPECT_FALSE(task->isFinished());

    // Stopped tasks do not count.
    for (const auto& task : batch->manager()->tasks())
        task->stop();
    asked.clear();
    EXPECT_EQ(controller->applicationShouldTerminate(), ui::TerminateReply::terminateNow);
    EXPECT_TRUE(asked.empty());

    batch->manager()->removeFinishedTasks();
    tasks->launchSnapTasks(nullptr);
    ASSERT_EQ(batch->manager()->runningTasksCount(), 2);
    // Quit stops every task where it is, with one question.
    asked.clear();
    answer = ui::ModalResponses::alertSecondButton;
    EXPECT_EQ(controller->applicationShouldTerminate(), ui::TerminateReply::terminateNow);
    EXPECT_EQ(asked.size(), 1u);
    for (const auto& task : batch->manager()->tasks())
        EXPECT_TRUE(task->isFinished());
    EXPECT_TRUE(batch->window()->isVisible());
}

}  // namespace
