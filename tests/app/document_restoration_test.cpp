// Snaps come back after a relaunch through the kept session: in a second process of this program reading
// the session the first wrote, and within one process; a session that is damaged gives no document and no
// crash, and one that names a movie that is gone opens nothing and keeps its entry.
#include "tests/app/document_fixture.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/document/application_parts.h"
#include "app/document/snaps_manager.h"
#include "foundation/shortcuts.h"
#include "platform/core/data.h"
#include "platform/core/user_notices.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/child_entry.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace documenttest {
namespace {

const char* const sessionVariable = "VISTREL_TEST_SESSION";

struct Session {
    testsupport::TempDir folder{"session"};
    core::Url url = core::Url::fileURL((folder / "Session.cbor").string());
    Session() { kestrane::DC->setSessionURL(url); }
    // Restoring the unused session forgets the entries of missing movies this one kept.
    ~Session()
    {
        kestrane::DC->setSessionURL(core::Url::fileURL((folder / "unused.cbor").string()));
        kestrane::DC->restoreSession();
    }
};

// A document of `movie` with snaps of the frames, kept in the session.
void keepSnaps(const std::string& movie, const std::vector<int>& frames)
{
    auto document = open(movie);
    ASSERT_TRUE(document);
    for (int k : frames) {
        ASSERT_TRUE(showFrame(*document, k));
        document->snapImage(nullptr);
        ASSERT_TRUE(waitForSnaps(*document, document->snapsManager()->items().size() + 1));
    }
    ASSERT_TRUE(kestrane::DC->saveSession());
    closeAll();
}

std::vector<int> framesOf(const vistrel::Document& document)
{
    std::vector<int> frames;
    for (const auto& item : document.snapsManager()->items())
        frames.push_back(frameOf(item->image()));
    return frames;
}

// Runs this test program again to run the child entry named, its session file given; its exit code.
int runSecondProcess(const std::string& entry, const core::Url& session, const std::filesystem::path& log)
{
    std::string entryArgument = testsupport::childEntryFlag + entry;
    char self[] = "/proc/self/exe";
    char* argv[] = {self, entryArgument.data(), nullptr};
    setenv(sessionVariable, session.path().c_str(), 1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    unsetenv(sessionVariable);
    if (failed) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

using DocumentRestoration = DocumentTest;

TEST_F(DocumentRestoration, SnapsComeBackInASecondProcess)
{
    Session session;
    keepSnaps(clipMovie(), {5, 17, 33});
    const auto log = session.folder / "second.log";
    EXPECT_EQ(runSecondProcess("DocumentRestoration.ReopensTheKeptSession", session.url, log), 0) << contents(log);
    EXPECT_NE(contents(log).find("[  PASSED  ] 1 test"), std::string::npos) << contents(log);
}

// Run by the test above in a process of its own.
CHILD_ENTRY_F(DocumentRestoration, ReopensTheKeptSession)
{
    const char* session = std::getenv(sessionVariable);
    ASSERT_TRUE(session);
    kestrane::DC->setSessionURL(core::Url::fileURL(session));
    vistrel::registerApplicationParts();
    ASSERT_EQ(kestrane::DC->restoreSession(), 1);
    auto document = std::dynamic_pointer_cast<vistrel::Document>(kestrane::DC->documents().front());
    ASSERT_TRUE(document);
    EXPECT_EQ(document->state(), vistrel::DocumentState::restoring);
    EXPECT_FALSE(document->windowShouldClose(*document->outlets().mainWindow.lock()));
    ASSERT_TRUE(waitForSnaps(*document, 3));
    EXPECT_EQ(framesOf(*document), (std::vector<int>{5, 17, 33}));
    EXPECT_EQ(document->snapsManager()->items()[1]->time(), frameTime(17));
    EXPECT_EQ(document->state(), vistrel::DocumentState::snapping);
}

TEST_F(DocumentRestoration, KeepsSnapsStillBeingRestoredAndSurvivesDamagedSessions)
{
    Session session;
    keepSnaps(clipMovie(), {8, 9});
    const auto kept = core::readData(session.url.path());
    ASSERT_TRUE(kept);

    // Saved again before the restored miniatures are in: the snaps are still in the session.
    ASSERT_EQ(kestrane::DC->restoreSession(), 1);
    ASSERT_TRUE(kestrane::DC->saveSession());
    auto document = std::dynamic_pointer_cast<vistrel::Document>(kestrane::DC->documents().front());
    ASSERT_TRUE(waitForSnaps(*document, 2));
    closeAll();
    ASSERT_EQ(kestrane::DC->restoreSession(), 1);
    document = std::dynamic_pointer_cast<vistrel::Document>(kestrane::DC->documents().front());
    ASSERT_TRUE(waitForSnaps(*document, 2));
    EXPECT_EQ(framesOf(*document), (std::vector<int>{8, 9}));
    // Saved again once the restore is over: each snap is in the session once, however many relaunches.
    for (int relaunch = 0; relaunch < 2; ++relaunch) {
        ASSERT_TRUE(testsupport::runUntil([&] { return !document->isAtWork(); }));
        ASSERT_TRUE(kestrane::DC->saveSession());
        closeAll();
        ASSERT_EQ(kestrane::DC->restoreSession(), 1);
        document = std::dynamic_pointer_cast<vistrel::Document>(kestrane::DC->documents().front());
        ASSERT_TRUE(testsupport::runUntil([&] { return document->isMovieOpen() && !document->isAtWork(); }));
        EXPECT_EQ(framesOf(*document), (std::vector<int>{8, 9})) << relaunch;
    }
    closeAll();

    // Cut short at every tenth of its length, or missing: no document, no crash.
    for (std::size_t cut = 0; cut < kept->size(); cut += std::max<std::size_t>(1, kept->size() / 10)) {
        core::Data truncated(kept->begin(), kept->begin() + std::ptrdiff_t(cut));
        ASSERT_TRUE(core::writeAtomically(truncated, session.url));
        EXPECT_EQ(kestrane::DC->restoreSession(), 0) << cut;
        closeAll();
    }
    std::filesystem::remove(session.url.path());
    EXPECT_EQ(kestrane::DC->restoreSession(), 0);
}

TEST_F(DocumentRestoration, AMovieGoneSinceOpensNoDocumentAndIsKept)
{
    Session session;
    const auto movie = makeMovie(session.folder.path(), "gone.mp4", 20);
    keepSnaps(movie, {3});
    std::filesystem::remove(movie);
    EXPECT_EQ(kestrane::DC->restoreSession(), 0);
    EXPECT_TRUE(kestrane::DC->documents().empty());
    EXPECT_EQ(kestrane::DC->missingDocuments().size(), 1u);
}

TEST_F(DocumentRestoration, ASnapThatCannotBeReadBackIsToldAndTheSessionKeptAsItWas)
{
    Session session;
    keepSnaps(clipMovie(), {5, 17, 33});
    auto bytes = core::readData(session.url.path());
    ASSERT_TRUE(bytes);
    // One bit flipped in the class name of the second snap.
    const std::string text(bytes->begin(), bytes->end());
    const auto firstSnap = text.find(vistrel::SnapItem::codingClassName);
    ASSERT_NE(firstSnap, std::string::npos);
    const auto secondSnap = text.find(vistrel::SnapItem::codingClassName, firstSnap + 1);
    ASSERT_NE(secondSnap, std::string::npos);
    (*bytes)[secondSnap] ^= 0x01;
    ASSERT_TRUE(core::writeAtomically(*bytes, session.url));
    core::UserNotices::takePending();

    ASSERT_EQ(kestrane::DC->restoreSession(), 1);
    auto document = std::dynamic_pointer_cast<vistrel::Document>(kestrane::DC->documents().front());
    ASSERT_TRUE(waitForSnaps(*document, 2));
    EXPECT_EQ(framesOf(*document), (std::vector<int>{5, 33}));
    const auto notices = core::UserNotices::takePending();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].message, "1 snap of the last session could not be read back.");
    std::optional<std::filesystem::path> kept;
    for (const auto& name : testsupport::namesIn(session.folder.path()))
        if (name.rfind("Session.cbor.unreadable-", 0) == 0) kept = session.folder / name;
    ASSERT_TRUE(kept);
    EXPECT_NE(notices[0].information.find(kept->string()), std::string::npos) << notices[0].information;
    EXPECT_EQ(core::readData(kept->string()), bytes);
}

}  // namespace
}  // namespace documenttest
