// The end of a batch as the desktop sees it: the batch runs in a child process whose session bus is one of the
// test's own, with a notification service on it that counts what it is sent. Stops, resumes, cancels and a
// window closed while tasks run send nothing; each natural end sends one notice of the frames written and
// failed.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <regex>
#include <sys/wait.h>

#include "app/document/defaults_keys.h"
#include "foundation/shortcuts.h"
#include "platform/ui/user_notification.h"
#include "platform/ui/window.h"
#include "tests/app/batch_fixture.h"
#include "tests/app/batch_window_fixture.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/child_entry.h"
#include "tests/support/child_process.h"
#include "tests/support/full_folder.h"
#include "tests/support/notification_bus.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The folders of the child's batches: "<writable>\n<full, or empty when none could be made>".
constexpr char childVariable[] = "VISTREL_BATCH_NOTIFICATION_TEST";

class BatchNotificationChild : public batchwindow::BatchWindowTest {};

}  // namespace

// Run only by the test below, in a child process on the private bus: a batch stopped and resumed to its end,
// one cancelled, one into a full folder (when there is one), one whose window is closed while it runs.
CHILD_ENTRY_F(BatchNotificationChild, RunsBatches)
{
    const char* variable = std::getenv(childVariable);
    ASSERT_NE(variable, nullptr);
    const std::string folders = variable;
    const fs::path out = folders.substr(0, folders.find('\n'));
    const fs::path full = folders.substr(folders.find('\n') + 1);
    ASSERT_TRUE(drop({batchwindow::movieFolder() / "a.mp4", batchwindow::movieFolder() / "c.mkv"}, 2));
    kestrane::Defaults[vistrel::BatchAlertUserTypeKey] = 1;
    setSplit(0, 1);  // every second: 1, 2 s of a; 1 s of c
    chooseExportFolder(out);
    const auto settle = [] { testsupport::runQueued(); };

    selectMovies({0, 1});
    {
        batchtest::FramesHeld held;
        launch();
        selectTasks({0, 1});
        tasks->stopSelectedTasks(nullptr);
        settle();
        tasks->resumeSelectedTasks(nullptr);
    }
    ASSERT_TRUE(runUntilTasksFinished());
    settle();
    tasks->removeFinishedTasks(nullptr);

    selectMovies({0});
    {
        batchtest::FramesHeld held;
        launch();
        selectTasks({0});
        tasks->cancelSelectedTasks(nullptr);
    }
    ASSERT_TRUE(runUntilTasksFinished());
    settle();

    if (!full.empty()) {
        chooseExportFolder(full);
        selectMovies({0, 1});
        launch();
        ASSERT_TRUE(runUntilTasksFinished());
        settle();
        chooseExportFolder(out);
    }

    {
        batchtest::FramesHeld held;
        selectMovies({0, 1});
        launch();
        batchwindow::AlertAnswer close("Close and Cancel");
        controller->window()->performClose(nullptr);
        EXPECT_TRUE(close.asked());
    }
    settle();
    kestrane::Defaults[vistrel::BatchAlertUserTypeKey] = nullptr;
    // The test counts what the service was sent; here, only that it took every notice.
    for (const auto& notice : ui::UserNotificationCenter::defaultCenter().deliveredNotifications())
        EXPECT_TRUE(notice->isPresented()) << "the notification service did not take the notice";
}

TEST(BatchNotification, TheDesktopIsToldOfEachNaturalEndOfABatchOnceAndOfNothingElse)
{
    testsupport::NotificationBus bus;
    if (!bus.running()) GTEST_SKIP() << bus.problem();
    testsupport::TempDir out("out");
    testsupport::FullFolder full;
    const pid_t child = testsupport::spawnSelf(
        "BatchNotificationChild.RunsBatches",
        {{childVariable, out.path().string() + "\n" + (full.mounted() ? full.path().string() : "")},
         {testsupport::testBusVariable, bus.address()}});
    ASSERT_GT(child, 0);
    // The service answers on this thread while the child runs.
    int status = 0;
    bool ended = false;
    testsupport::runUntil(
        [&] {
            ended = ended || ::waitpid(child, &status, WNOHANG) == child;
            return ended;
        },
        180);
    if (!ended) {
        ::kill(child, SIGKILL);
        testsupport::waitForExit(child);
        FAIL() << "the child's batches did not end";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child's batches failed: " << status;

    const auto notices = bus.notices();
    std::string sent;
    for (const auto& notice : notices)
        sent += "\n  " + notice.title + ": " + notice.text;
    ASSERT_EQ(notices.size(), full.mounted() ? 2u : 1u) << "the notices sent:" << sent;
    for (const auto& notice : notices)
        EXPECT_EQ(notice.title, "Batch finished");
    EXPECT_EQ(notices[0].text, "Frames written: 3.");
    EXPECT_EQ(batchtest::fileNames(out.path()).size(), 3u);
    // On the full disk each task stops at its first failed frame; the one with two frames may have had its
    // second on its way already.
    if (full.mounted())
        EXPECT_TRUE(notices[1].text == "Frames written: 0. Frames that failed: 2." ||
                    notices[1].text == "Frames written: 0. Frames that failed: 3.")
            << notices[1].text;
    else
        std::cerr << "no full folder could be mounted here: the notice of failed frames is not tried\n";
}
