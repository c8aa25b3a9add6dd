// The application controller: the drop window while no document is open (again once the last one closes),
// files handed over on the command line, the windowless program, and the question before quitting, asked
// only about documents at work.
#include "tests/app/document_fixture.h"

#include "app/document/app_controller.h"
#include "app/document/application_parts.h"
#include "app/document/drop_window_controller.h"
#include "app/document/movie_opening.h"
#include "app/document/snaps_manager.h"
#include "foundation/shortcuts.h"
#include "platform/core/user_notices.h"
#include "platform/ui/application.h"
#include "platform/ui/window.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

namespace documenttest {
namespace {

// A controller launched as the program launches it, whose alerts the test answers.
struct Launched {
    std::shared_ptr<vistrel::AppController> controller = core::make<vistrel::AppController>();
    std::vector<std::string> asked;
    std::vector<std::string> told;  // the informative texts
    ui::ModalResponse answer = ui::ModalResponses::alertFirstButton;

    Launched()
    {
        vistrel::registerApplicationParts();
        controller->setAlertRunner([this](ui::Alert& alert) {
            asked.push_back(alert.messageText());
            told.push_back(alert.informativeText());
            return answer;
        });
        controller->applicationWillFinishLaunching();
        controller->applicationDidFinishLaunching();
    }
    ~Launched()
    {
        controller->applicationWillTerminate();
        vistrel::DropWindowController::sharedController()->close();
    }
    bool dropWindowShown() const
    {
        auto drop = vistrel::DropWindowController::sharedController();
        return drop->isWindowLoaded() && drop->window()->isVisible();
    }
};

using AppController = DocumentTest;

TEST_F(AppController, ShowsTheDropWindowExactlyWhileNoDocumentIsOpen)
{
    Launched app;
    EXPECT_TRUE(app.dropWindowShown());
    EXPECT_FALSE(app.controller->applicationShouldOpenUntitledFile());
    EXPECT_TRUE(app.controller->applicationOpenUntitledFile());
    EXPECT_TRUE(kestrane::DC->documents().empty());

    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    EXPECT_FALSE(app.dropWindowShown());
    EXPECT_FALSE(app.controller->applicationShouldTerminateAfterLastWindowClosed());

    // Closing the document's window closes the document and brings the drop window back.
    document->outlets().mainWindow.lock()->performClose(nullptr);
    EXPECT_TRUE(kestrane::DC->documents().empty());
    EXPECT_TRUE(app.dropWindowShown());

    // With nothing else on screen the drop window stands for the program; closed by the user, it ends it.
    EXPECT_FALSE(app.controller->applicationShouldTerminateAfterLastWindowClosed());
    vistrel::DropWindowController::sharedController()->window()->performClose(nullptr);
    EXPECT_FALSE(app.dropWindowShown());
    EXPECT_TRUE(app.controller->applicationShouldTerminateAfterLastWindowClosed());
}

TEST_F(AppController, AsksBeforeQuittingOnlyWhileDocumentsAreAtWork)
{
    Launched app;
    auto idle = open(clipMovie());
    auto busy = open(clipMovie());
    ASSERT_TRUE(idle && busy);
    EXPECT_EQ(idle->state(), vistrel::DocumentState::snapping);
    EXPECT_EQ(app.controller->applicationShouldTerminate(), ui::TerminateReply::terminateNow);
    EXPECT_TRUE(app.asked.empty());

    busy->beginBusyWork(vistrel::DocumentState::exporting);
    EXPECT_EQ(vistrel::processingDocumentsCount(*kestrane::DC.get()), 1);
    EXPECT_EQ(app.controller->applicationShouldTerminate(), ui::TerminateReply::terminateCancel);
    ASSERT_EQ(app.asked.size(), 1u);
    EXPECT_EQ(app.asked[0], "Documents still at work: 1");
    // Quit: the answer waits for the work to end.
    bool replied = false;
    app.controller->setTerminationReplier([&](bool terminate) { replied = terminate; });
    app.answer = ui::ModalResponses::alertSecondButton;
    EXPECT_EQ(app.controller->applicationShouldTerminate(), ui::TerminateReply::terminateLater);
    ASSERT_TRUE(testsupport::runQueued());
    EXPECT_FALSE(replied);
    busy->endBusyWork(vistrel::DocumentState::exporting);
    EXPECT_TRUE(testsupport::runUntil([&] { return replied; }));
    EXPECT_EQ(app.asked.size(), 2u);
}

TEST_F(AppController, OpensTheMoviesOfTheFilesAndFoldersHandedOver)
{
    Launched app;
    testsupport::TempDir folder("handed");
    std::filesystem::create_directories(folder / "more");
    makeMovie(folder.path(), "first.mp4", 10);
    makeMovie(folder.path(), "second.mkv", 10);
    makeMovie(folder.path() / "more", "third.mov", 10);
    std::FILE* notes = std::fopen((folder / "notes.txt").c_str(), "w");
    std::fputs("not a movie", notes);
    std::fclose(notes);

    app.controller->openFiles({folder.path().string()});
    EXPECT_EQ(kestrane::DC->documents().size(), 3u);
    EXPECT_FALSE(app.dropWindowShown());
    closeAll();

    // The same movie twice gives two documents; a file that is no movie, or a path where nothing is, gives
    // none, and one alert names them with why.
    static_cast<void>(core::UserNotices::takePending());
    const std::string missing = (folder / "missing.mp4").string();
    app.controller->openFiles({clipMovie(), (folder / "notes.txt").string(), missing, clipMovie()});
    EXPECT_EQ(kestrane::DC->documents().size(), 2u);
    const auto notices = core::UserNotices::takePending();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].message, "Some files could not be opened");
    EXPECT_EQ(notices[0].information,
              "The file \"" + (folder / "notes.txt").string() +
                  "\" couldn't be opened because its content is in no movie format the program reads (Invalid data "
                  "found when processing input).\nThe file \"" +
                  missing + "\" couldn't be opened because there is no such file or folder.");
    EXPECT_TRUE(app.asked.empty());
}

TEST_F(AppController, ASessionMovieMissingAtLaunchKeepsItsSnapsAndIsNamed)
{
    testsupport::TempDir folder("missing-movie");
    kestrane::DC->setSessionURL(core::Url::fileURL((folder / "Session.cbor").string()));
    const auto movie = makeMovie(folder.path(), "away.mp4", 20);
    {
        auto document = open(movie);
        ASSERT_TRUE(document);
        document->snapsManager()->append(
            {vistrel::SnapItem::create(frameTime(3), {}), vistrel::SnapItem::create(frameTime(7), {})});
        auto kept = open(clipMovie());
        ASSERT_TRUE(kept);
        ASSERT_TRUE(kestrane::DC->saveSession());
        closeAll();
    }
    // Renamed away: its entry is kept, the other one opens, and the user is told which movie is missing.
    const auto away = folder / "elsewhere.mp4";
    std::filesystem::rename(movie, away);
    EXPECT_EQ(kestrane::DC->restoreSession(), 1);
    ASSERT_EQ(kestrane::DC->missingDocuments().size(), 1u);
    {
        Launched app;
        ASSERT_TRUE(testsupport::runUntil([&] { return !app.asked.empty(); }));
        EXPECT_EQ(app.asked[0], "Some movies of the last session could not be found");
        EXPECT_EQ(app.told[0].rfind(movie + "\n", 0), 0u) << app.told[0];
    }
    // Saved again meanwhile, and back in its place at the next launch: the snaps return.
    ASSERT_TRUE(kestrane::DC->saveSession());
    closeAll();
    std::filesystem::rename(away, movie);
    EXPECT_EQ(kestrane::DC->restoreSession(), 2);
    EXPECT_TRUE(kestrane::DC->missingDocuments().empty());
    closeAll();

    // Back in its place while the program runs, and opened: its document takes the snaps kept for it.
    std::filesystem::rename(movie, away);
    EXPECT_EQ(kestrane::DC->restoreSession(), 1);
    ASSERT_EQ(kestrane::DC->missingDocuments().size(), 1u);
    std::filesystem::rename(away, movie);
    auto reopened = open(movie);
    ASSERT_TRUE(reopened);
    EXPECT_TRUE(kestrane::DC->missingDocuments().empty());
    ASSERT_TRUE(waitForSnaps(*reopened, 2));
    ASSERT_TRUE(testsupport::runUntil([&] { return !reopened->isAtWork(); }));
    ASSERT_TRUE(kestrane::DC->saveSession());
    closeAll();
    EXPECT_EQ(kestrane::DC->restoreSession(), 2);
    EXPECT_TRUE(kestrane::DC->missingDocuments().empty());
    std::shared_ptr<vistrel::Document> document;
    for (const auto& each : kestrane::DC->documents())
        if (each->fileURL()->path() == movie) document = std::dynamic_pointer_cast<vistrel::Document>(each);
    ASSERT_TRUE(document);
    ASSERT_TRUE(waitForSnaps(*document, 2));
    EXPECT_EQ(frameOf(document->snapsManager()->items()[0]->image()), 3);
    EXPECT_EQ(frameOf(document->snapsManager()->items()[1]->image()), 7);
    Launched quiet;
    testsupport::runQueued();
    EXPECT_TRUE(quiet.asked.empty());
    closeAll();
}

TEST_F(AppController, QuitStopsARestoreWhereItIsAndTheSessionKeepsEverySnap)
{
    Launched app;
    testsupport::TempDir folder("quit-restore");
    kestrane::DC->setSessionURL(core::Url::fileURL((folder / "Session.cbor").string()));
    // Snaps all over a movie whose frames take some decoding, so that the restore lasts a few seconds.
    testmovie::MovieSpec spec;
    spec.width = 640;
    spec.height = 360;
    spec.rateNum = rate;
    spec.rateDen = 1;
    spec.frameCount = 60;
    spec.keyInterval = 12;
    spec.texture = true;
    const std::string movie = (folder / "textured.mp4").string();
    testmovie::writeMovie(movie, spec);
    constexpr std::size_t count = 800;
    const auto frameOfSnap = [](std::size_t i) { return int(i * 37 % 60); };
    {
        auto document = open(movie);
        ASSERT_TRUE(document);
        vistrel::SnapItems items;
        for (std::size_t i = 0; i < count; ++i)
            items.push_back(vistrel::SnapItem::create(frameTime(frameOfSnap(i)), {}));
        document->snapsManager()->append(items);
        ASSERT_TRUE(kestrane::DC->saveSession());
        closeAll();
    }
    ASSERT_EQ(kestrane::DC->restoreSession(), 1);
    auto document = std::dynamic_pointer_cast<vistrel::Document>(kestrane::DC->documents().front());
    ASSERT_TRUE(document);
    // The snaps come in, and are counted, as they are restored.
    ASSERT_TRUE(testsupport::runUntil([&] { return !document->snapsManager()->items().empty(); }));
    EXPECT_EQ(document->state(), vistrel::DocumentState::restoring);
    EXPECT_LT(document->snapsManager()->items().size(), count);

    // Quit, answered: one question, the restore stops where it is, the answer follows.
    bool replied = false;
    app.controller->setTerminationReplier([&](bool terminate) { replied = terminate; });
    app.answer = ui::ModalResponses::alertSecondButton;
    EXPECT_NE(app.controller->applicationShouldTerminate(), ui::TerminateReply::terminateCancel);
    ASSERT_TRUE(testsupport::runUntil([&] { return !document->isAtWork(); }));
    testsupport::runUntil([&] { return replied; });
    EXPECT_EQ(app.asked.size(), 1u);
    EXPECT_LT(document->snapsManager()->items().size(), count);

    // The session still has every snap, those not restored yet too, in their order.
    ASSERT_TRUE(kestrane::DC->saveSession());
    closeAll();
    ASSERT_EQ(kestrane::DC->restoreSession(), 1);
    document = std::dynamic_pointer_cast<vistrel::Document>(kestrane::DC->documents().front());
    ASSERT_TRUE(testsupport::runUntil([&] { return document->snapsManager()->items().size() == count; }, 120));
    const auto& items = document->snapsManager()->items();
    for (std::size_t i = 0; i < count; i += 97)
        EXPECT_EQ(frameOf(items[i]->image()), frameOfSnap(i)) << i;
    ASSERT_TRUE(testsupport::runUntil([&] { return !document->isAtWork(); }));
    closeAll();
}

}  // namespace
}  // namespace documenttest
