// The application controller: the drop window while no document is open (again once the last one closes),
// files handed over on the command line, the windowless program, and the question before quitting, asked
// only about documents at work.
#include "tests/app/document_fixture.h"

#include "app/document/app_controller.h"
#include "app/document/application_parts.h"
#include "app/document/drop_window_controller.h"
#include "app/document/movie_opening.h"
#include "foundation/shortcuts.h"
#include "platform/ui/application.h"
#include "platform/ui/window.h"
#include "app/document/snaps_manager.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

namespace documenttest {
namespace {

// A controller launched as the program launches it, whose alerts the test answers.
struct Launched {
    std::shared_ptr<vistrel::AppController> controller = core::make<vistrel::AppController>();
    std::vector<std::string> asked;
    ui::ModalResponse answer = ui::ModalResponses::alertFirstButton;

    Launched()
    {
        vistrel::registerApplicationParts();
        controller->setAlertRunner([this](ui::Alert& alert) {
            asked.push_back(alert.messageText());
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
    document->mainWindow->performClose(nullptr);
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
    EXPECT_FALSE(testsupport::runUntil([&] { return replied; }, 0.2));
    busy->endBusyWork(vistrel::DocumentState::exporting);
    EXPECT_TRUE(testsupport::runUntil([&] { return replied; }, 1));
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

    // The same movie twice gives two documents; a file that is no movie gives none.
    app.controller->openFiles({clipMovie(), (folder / "notes.txt").string(), clipMovie()});
    EXPECT_EQ(kestrane::DC->documents().size(), 2u);
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
        for (std::size_t i = 0; i < count; ++i) items.push_back(vistrel::SnapItem::create(frameTime(frameOfSnap(i)), {}));
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
    testsupport::runUntil([&] { return replied; }, 1);
    EXPECT_EQ(app.asked.size(), 1u);
    EXPECT_LT(document->snapsManager()->items().size(), count);

    // The session still has every snap, those not restored yet too, in their order.
    ASSERT_TRUE(kestrane::DC->saveSession());
    closeAll();
    ASSERT_EQ(kestrane::DC->restoreSession(), 1);
    document = std::dynamic_pointer_cast<vistrel::Document>(kestrane::DC->documents().front());
    ASSERT_TRUE(testsupport::runUntil([&] { return document->snapsManager()->items().size() == count; }, 120));
    const auto& items = document->snapsManager()->items();
    for (std::size_t i = 0; i < count; i += 97) EXPECT_EQ(frameOf(items[i]->image()), frameOfSnap(i)) << i;
    ASSERT_TRUE(testsupport::runUntil([&] { return !document->isAtWork(); }));
    closeAll();
}

}  // namespace
}  // namespace documenttest
