// Snaps leaving a document as image files: the exact frame of each snap at full size through its own
// edition, names that never meet a file already there nor one another, the errors sheet, overlapping busy
// work, the drag-out's format, and the clipboard.
#include "tests/app/document_fixture.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <future>
#include <set>

#include <sys/resource.h>

#include <QApplication>
#include <QDrag>
#include <QMenu>
#include <QMimeData>

#include "app/document/defaults_keys.h"
#include "app/document/document_actions.h"
#include "app/document/flash_movie_view.h"
#include "app/document/gif_exporter_controller.h"
#include "app/document/movie_opening.h"
#include "app/document/snap_cell.h"
#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "foundation/image_encoding.h"
#include "foundation/shortcuts.h"
#include "moviekit/player.h"
#include "platform/gfx/image_reader.h"
#include "platform/media/detail/decoding_share.h"
#include "platform/ui/detail/qt_dragging.h"
#include "platform/ui/pasteboard.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

namespace documenttest {
namespace {

namespace fs = std::filesystem;
using vistrel::DocumentState;
using vistrel::SnapItem;
using vistrel::SnapItems;

const orvalis::Edition editions[] = {orvalis::Edition::identity, orvalis::Edition::identity.rotatedRight(),
                                     orvalis::Edition::identity.flippedHorizontally()};

// The edition that undoes one of `editions`: a turn to the left for the turn to the right, else itself.
orvalis::Edition undoing(const orvalis::Edition& edition)
{
    return edition == editions[1] ? orvalis::Edition::identity.rotatedLeft() : edition;
}

std::shared_ptr<SnapItem> snapAt(int frame, const orvalis::Edition& edition = orvalis::Edition::identity)
{
    return SnapItem::create(frameTime(frame), edition);
}

std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::set<std::string> filesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Serves the main loop until the document has no busy work left.
bool waitUntilIdle(vistrel::Document& document)
{
    return testsupport::runUntil([&] { return !vistrel::isBusy(document.state()); });
}

// The file holds the snap's frame, through the snap's edition, at the movie's full size.
void expectFrame(const fs::path& file, const SnapItem& snap, int frame)
{
    const auto image = gfx::ImageReader::read(core::Url::fileURL(file.string()));
    ASSERT_TRUE(image) << file;
    EXPECT_EQ(kestrane::size(image), snap.edition().apply(gfx::Size{160, 120})) << file;
    EXPECT_EQ(frameOf(undoing(snap.edition()).apply(image)), frame) << file;
}

using DocumentExport = DocumentTest;

TEST_F(DocumentExport, WritesEachSnapAsItsExactFrameInEveryFormatBesideFilesOfTheSameNames)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    const std::pair<kestrane::ImageFormat, std::string> formats[] = {
        {kestrane::ImageFormat::png, std::string("\x89PNG", 4)},
        {kestrane::ImageFormat::jpg, std::string("\xFF\xD8\xFF", 3)},
        {kestrane::ImageFormat::tiff, std::string("II*\0", 4)}};
    for (const auto& [format, magic] : formats) {
        SCOPED_TRACE(kestrane::fileExtension(format));
        testsupport::TempDir folder("export");
        SnapItems snaps;
        std::vector<int> frames;
        for (int i = 0; i < 20; ++i) {
            frames.push_back(1 + 3 * i);
            snaps.push_back(snapAt(frames.back(), editions[i % 3]));
        }
        // Every name is taken already; the first one's first alternative too.
        document->exports().setExportFormat(format);
        std::set<std::string> before;
        for (const auto& snap : snaps) {
            write(folder / document->exports().snapFileName(*snap), "old");
            before.insert(document->exports().snapFileName(*snap));
        }
        const std::string ext = "." + kestrane::fileExtension(format);
        write(folder / ("clip-00-00-00-100 (0)" + ext), "old");
        before.insert("clip-00-00-00-100 (0)" + ext);

        const auto names = document->exports().exportImages(snaps, core::Url::fileURL(folder.path().string()));
        EXPECT_EQ(document->state(), DocumentState::exporting);
        ASSERT_EQ(names.size(), 20u);
        EXPECT_EQ(names[0], "clip-00-00-00-100 (1)" + ext);
        EXPECT_EQ(names[1], "clip-00-00-00-400 (0)" + ext);
        ASSERT_TRUE(waitUntilIdle(*document));
        EXPECT_EQ(document->state(), DocumentState::snapping);
        EXPECT_EQ(document->outlets().progressLabel.lock()->stringValue(), "Exporting : 100 %");
        EXPECT_EQ(document->outlets().mainWindow.lock()->attachedSheet(), nullptr);

        for (const auto& name : before)
            EXPECT_EQ(contents(folder / name), "old") << name;
        EXPECT_EQ(filesIn(folder.path()).size(), before.size() + 20);
        for (std::size_t i = 0; i < names.size(); ++i) {
            EXPECT_FALSE(before.contains(names[i])) << names[i];
            EXPECT_EQ(contents(folder / names[i]).substr(0, magic.size()), magic) << names[i];
            expectFrame(folder / names[i], *snaps[i], frames[i]);
        }
    }
}

TEST_F(DocumentExport, SnapsOfOneTimeAndExportsIntoOneFolderAtOnceNeverShareAName)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    testsupport::TempDir folder("export");
    const auto url = core::Url::fileURL(folder.path().string());
    // Snap, turn the picture, snap again: one time, two editions.
    const SnapItems snaps{snapAt(12), snapAt(12, editions[1]), snapAt(30)};
    const auto first = document->exports().exportImages(snaps, url);
    document->exports().setExportFormat(kestrane::ImageFormat::png);
    const auto second = document->exports().exportImages(snaps, url);
    EXPECT_EQ(first, (std::vector<std::string>{"clip-00-00-01-200.png", "clip-00-00-01-200 (0).png",
                                               "clip-00-00-03-000.png"}));
    EXPECT_EQ(second, (std::vector<std::string>{"clip-00-00-01-200 (1).png", "clip-00-00-01-200 (2).png",
                                                "clip-00-00-03-000 (0).png"}));
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_EQ(filesIn(folder.path()).size(), 6u);
    for (const auto* names : {&first, &second})
        for (std::size_t i = 0; i < snaps.size(); ++i)
            expectFrame(folder / (*names)[i], *snaps[i], i == 2 ? 30 : 12);

    // Once written, the names are taken by the files themselves.
    const auto third = document->exports().exportImages({snaps[2]}, url);
    EXPECT_EQ(third, std::vector<std::string>{"clip-00-00-03-000 (1).png"});
    ASSERT_TRUE(waitUntilIdle(*document));
}

TEST_F(DocumentExport, FailuresAreListedTogetherAtTheEndAndLeaveNothingBehind)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    testsupport::TempDir parent("export");
    // A folder that is a file: nothing can be written into it.
    write(parent / "folder", "a file");
    const auto blocked = parent / "folder";
    const SnapItems snaps{snapAt(5), snapAt(900), snapAt(7)};
    document->snapsManager()->append({snapAt(3)});
    document->snapsManager()->setSelection(core::IndexSet{0});
    document->exports().exportImages(snaps, core::Url::fileURL(blocked.string()));
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_EQ(document->state(), DocumentState::selecting);
    EXPECT_EQ(withoutSnapReasons(document->outlets().exportErrorsTextView.lock()->string()),
              "Cannot export image to " + (blocked / "clip-00-00-00-500.png").string() + ": Not a directory\n" +
                  "Cannot snap image at 00:01:30:000\n"
                  "Cannot export image to " +
                  (blocked / "clip-00-00-00-700.png").string() + ": Not a directory\n");
    EXPECT_EQ(document->outlets().mainWindow.lock()->attachedSheet(), document->outlets().exportErrorsAlert.lock());
    EXPECT_EQ(filesIn(parent.path()), std::set<std::string>{"folder"});

    // Files that fail while being written (here: longer than the process may write) leave nothing, and a
    // second export with errors replaces the text of the sheet still shown.
    testsupport::TempDir folder("export");
    write(folder / "kept.txt", "kept");
    rlimit limit{}, small{};
    getrlimit(RLIMIT_FSIZE, &limit);
    small = limit;
    small.rlim_cur = 100;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    document->exports().setExportFormat(kestrane::ImageFormat::tiff);
    document->exports().exportImages({snapAt(9)}, core::Url::fileURL(folder.path().string()));
    const bool idle = waitUntilIdle(*document);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
    ASSERT_TRUE(idle);
    EXPECT_EQ(document->outlets().exportErrorsTextView.lock()->string(),
              "Cannot export image to " + (folder / "clip-00-00-00-900.tiff").string() + ": File too large\n");
    EXPECT_EQ(filesIn(folder.path()), std::set<std::string>{"kept.txt"});
    EXPECT_TRUE(document->tryToPerform(vistrel::actions::closeExportErrorsAlert, nullptr));
    EXPECT_EQ(document->outlets().mainWindow.lock()->attachedSheet(), nullptr);
}

TEST_F(DocumentExport, AMovieReplacedOnDiskSinceItsSnapsWereTakenGivesNoFrameOfTheNewFile)
{
    testsupport::TempDir movies("replaced");
    const fs::path path = makeMovie(movies.path(), "clip.mp4", 30);
    const fs::path other = makeMovie(movies.path(), "other.mp4", 40);
    const fs::path renamed = makeMovie(movies.path(), "renamed.mp4", 30);
    auto document = open(path.string());
    ASSERT_TRUE(document);
    const SnapItems snaps{snapAt(5), snapAt(7)};
    const std::string expected =
        "Cannot snap image at 00:00:00:500: the movie file changed since the snaps were taken\n"
        "Cannot snap image at 00:00:00:700: the movie file changed since the snaps were taken\n";
    // Copied over in place, then another file renamed over it.
    const std::vector<std::pair<std::string, std::function<void()>>> replacements = {
        {"copied over", [&] { fs::copy_file(other, path, fs::copy_options::overwrite_existing); }},
        {"renamed over", [&] { fs::rename(renamed, path); }}};
    for (const auto& [how, replace] : replacements) {
        SCOPED_TRACE(how);
        replace();
        testsupport::TempDir folder("replaced-export");
        document->outlets().exportErrorsTextView.lock()->setString("");
        document->exports().exportImages(snaps, core::Url::fileURL(folder.path().string()));
        ASSERT_TRUE(waitUntilIdle(*document));
        EXPECT_EQ(document->outlets().exportErrorsTextView.lock()->string(), expected);
        EXPECT_TRUE(filesIn(folder.path()).empty());
        // Nor as a GIF, nor on the clipboard.
        document->outlets().exportErrorsTextView.lock()->setString("");
        document->exports().exportGIF(snaps, core::Url::fileURL((folder / "clip.gif").string()));
        ASSERT_TRUE(waitUntilIdle(*document));
        EXPECT_EQ(document->outlets().exportErrorsTextView.lock()->string(), expected);
        EXPECT_TRUE(filesIn(folder.path()).empty());
        document->snapsManager()->append({snapAt(5)});
        document->snapsManager()->setSelection(core::IndexSet{0});
        document->outlets().exportErrorsTextView.lock()->setString("");
        document->copySelectedItem(nullptr);
        EXPECT_EQ(document->outlets().exportErrorsTextView.lock()->string(),
                  "Cannot snap image at 00:00:00:500: the movie file changed since the snaps were taken\n");
        document->snapsManager()->removeAll();
    }
}

TEST_F(DocumentExport, AFailedExportGivesBackTheNamesItWasPromised)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    testsupport::TempDir parent("export");
    // A folder that is a file: every write fails; in a real folder, a snap past the end fails its grab.
    write(parent / "blocked", "a file");
    testsupport::TempDir folder("export");
    for (const auto& into : {parent / "blocked", folder.path()}) {
        SCOPED_TRACE(into);
        const auto url = core::Url::fileURL(into.string());
        const SnapItems snaps{snapAt(5), snapAt(900)};
        const auto first = document->exports().exportImages(snaps, url);
        ASSERT_TRUE(waitUntilIdle(*document));
        EXPECT_EQ(first, (std::vector<std::string>{"clip-00-00-00-500.png", "clip-00-01-30-000.png"}));
        // No file has the names: the next export of the same snaps gets them again.
        std::error_code absent;
        fs::remove(into / first[0], absent);
        EXPECT_EQ(document->exports().exportImages(snaps, url), first);
        ASSERT_TRUE(waitUntilIdle(*document));
    }
}

// The name of frame k's file of a movie named `stem` (frame k starts at k / 10 s).
std::string frameFileName(const std::string& stem, int k)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s-00-00-%02d-%03d.png", stem.c_str(), k / rate, k % rate * 100);
    return name;
}

TEST_F(DocumentExport, ACutShortMovieExportsItsLastFrameUnderItsTimeAndListsASnapPastTheCutAsAnError)
{
    testsupport::TempDir folder("cut-export");
    const std::string whole = makeMovie(folder.path(), "whole.mkv", 60);
    const fs::path cut = folder / "cut.mkv";
    fs::copy_file(whole, cut);
    fs::resize_file(cut, fs::file_size(whole) / 2);  // the first half of its bytes, as `head -c` leaves it
    auto document = open(cut.string());
    ASSERT_TRUE(document);

    // A snap at the end, taken as the command does it.
    auto player = document->movie()->player();
    player->pause();
    player->seekToEnd();
    ASSERT_TRUE(settledOnAFrame(*player));
    document->snapImage(nullptr);
    ASSERT_TRUE(waitForSnaps(*document, 1));
    const auto end = document->snapsManager()->items().front();
    const int last = frameOf(end->image());
    ASSERT_GT(last, 10);
    ASSERT_LT(last, 45);
    EXPECT_EQ(end->time(), frameTime(last));

    // Beside it a snap of a frame the cut took away, as a session kept from the whole movie holds.
    const auto gone = snapAt(55);
    testsupport::TempDir exported("cut-export-files");
    const auto names = document->exports().exportImages({end, gone}, core::Url::fileURL(exported.path().string()));
    ASSERT_TRUE(waitUntilIdle(*document));
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], frameFileName("cut", last));
    EXPECT_EQ(filesIn(exported.path()), std::set<std::string>{frameFileName("cut", last)});
    expectFrame(exported / names[0], *end, last);
    EXPECT_EQ(withoutSnapReasons(document->outlets().exportErrorsTextView.lock()->string()),
              "Cannot snap image at 00:00:05:500\n");
    EXPECT_EQ(document->outlets().mainWindow.lock()->attachedSheet(), document->outlets().exportErrorsAlert.lock());
}

TEST_F(DocumentExport, OverlappingExportsAndAGenerationKeepTheDocumentBusyUntilTheLastEnds)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    testsupport::TempDir folder("export");
    const auto url = core::Url::fileURL(folder.path().string());
    // The first export, then a gate on the export queue that holds the second one back.
    const auto first = document->exports().exportImages({snapAt(2), snapAt(4)}, url);
    std::atomic<bool> reached = false;
    std::promise<void> open;
    document->exports().exportQueue()->async([&, gate = open.get_future().share()] {
        reached = true;
        gate.wait_for(std::chrono::duration<double>(testsupport::waitLimitSeconds));
    });
    const auto second = document->exports().exportImages({snapAt(6)}, url);
    document->exports().exportGIF({snapAt(8), snapAt(10)}, core::Url::fileURL((folder / "clip.gif").string()));
    ASSERT_TRUE(testsupport::runUntil([&] { return reached.load() && fs::exists(folder / "clip.gif"); }));
    // The first export and the GIF are done, the second export waits: still exporting.
    EXPECT_TRUE(testsupport::runUntil([&] { return fs::exists(folder / first[1]); }));
    core::MainLoop::processEvents(0.05);
    EXPECT_EQ(document->state(), DocumentState::exporting);
    EXPECT_FALSE(fs::exists(folder / second[0]));

    // A generation in the meantime ends too, and still the document stays busy.
    document->performSnapsGeneration(nullptr);
    ASSERT_TRUE(waitForSnaps(*document, 12));
    EXPECT_EQ(document->state(), DocumentState::exporting);
    EXPECT_FALSE(enables(*document, vistrel::actions::snapImage));
    EXPECT_EQ(vistrel::processingDocumentsCount(*kestrane::DC.get()), 1);
    EXPECT_FALSE(document->windowShouldClose(*document->outlets().mainWindow.lock()));

    open.set_value();
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_TRUE(fs::exists(folder / second[0]));
    EXPECT_EQ(document->state(), DocumentState::snapping);
    EXPECT_EQ(vistrel::processingDocumentsCount(*kestrane::DC.get()), 0);
    EXPECT_TRUE(document->windowShouldClose(*document->outlets().mainWindow.lock()));
}

TEST_F(DocumentExport, WorkStoppedForQuittingFinishesWhatIsUnderWayAndBeginsNothingMore)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    testsupport::TempDir folder("stopped");
    const auto url = core::Url::fileURL(folder.path().string());
    // Every decoding thread of the program taken holds back every frame of an export, a GIF and a generation.
    auto& share = media::detail::DecodingShare::shared();
    ASSERT_TRUE(share.take(share.threads(), {}));
    const auto names = document->exports().exportImages({snapAt(2), snapAt(4), snapAt(6), snapAt(8), snapAt(10)}, url);
    document->exports().exportGIF({snapAt(8), snapAt(10), snapAt(12)},
                                  core::Url::fileURL((folder / "clip.gif").string()));
    document->performSnapsGeneration(nullptr);
    core::MainLoop::processEvents(0.1);
    EXPECT_TRUE(document->isAtWork());

    document->stopBusyWork();
    share.give(share.threads());
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_FALSE(document->isAtWork());
    // At most the image each piece of work had begun: no GIF, no generated snap, whole files only, no errors.
    const auto written = filesIn(folder.path());
    EXPECT_LE(written.size(), 1u);
    for (const auto& name : written) {
        EXPECT_EQ(name, names[0]);
        expectFrame(folder / name, *snapAt(2), 2);
    }
    EXPECT_TRUE(document->snapsManager()->items().empty());
    EXPECT_FALSE(document->outlets().exportErrorsAlert.lock()->isVisible());
    EXPECT_EQ(document->state(), DocumentState::snapping);
}

TEST_F(DocumentExport, DraggedSnapsAreWrittenInThePreferredFormatAndAnUnknownOneGivesPNG)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    document->snapsManager()->append({snapAt(11), snapAt(22), snapAt(33)});
    document->snapsManager()->setSelection(core::IndexSet{0, 2});
    testsupport::TempDir folder("drop");
    const auto url = core::Url::fileURL(folder.path().string());
    write(folder / "clip-00-00-01-100.jpg", "old");

    kestrane::Defaults[vistrel::PreferredImageFormatKey] = std::int64_t(1);
    auto names = document->sharing()->snapsViewDropSelectionTo(*document->outlets().snapsView.lock(), url);
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (std::vector<std::string>{"clip-00-00-01-100 (0).jpg", "clip-00-00-03-300.jpg"}));
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_EQ(document->state(), DocumentState::selecting);
    EXPECT_EQ(contents(folder / (*names)[1]).substr(0, 3), std::string("\xFF\xD8\xFF", 3));
    EXPECT_EQ(frameOf(gfx::ImageReader::read(url.appendingPathComponent((*names)[0]))), 11);

    for (const std::int64_t stored : {std::int64_t(3), std::int64_t(-1)}) {
        kestrane::Defaults[vistrel::PreferredImageFormatKey] = stored;
        names = document->sharing()->snapsViewDropSelectionTo(*document->outlets().snapsView.lock(), url);
        ASSERT_TRUE(names);
        EXPECT_EQ(names->front().substr(names->front().size() - 4), ".png") << stored;
        ASSERT_TRUE(waitUntilIdle(*document));
    }
    kestrane::Defaults[vistrel::PreferredImageFormatKey] = nullptr;
    EXPECT_EQ(contents(folder / "clip-00-00-01-100.png").substr(0, 4), std::string("\x89PNG", 4));
    EXPECT_EQ(contents(folder / "clip-00-00-01-100 (0).png").substr(0, 4), std::string("\x89PNG", 4));
}

// Drags snap `pressed` of the document's strip out with Command held, to a target that waits for the files
// and reads them (as a file manager copies them); what it was handed, and the frames it read.
std::pair<QList<QUrl>, std::vector<int>> dragOut(vistrel::Document& document, std::size_t pressed)
{
    std::pair<QList<QUrl>, std::vector<int>> seen;
    ui::setDragPerformer([&](QDrag& drag, Qt::DropActions) {
        seen.first = drag.mimeData()->urls();
        for (const QUrl& url : seen.first)
            seen.second.push_back(frameOf(gfx::ImageReader::read(core::Url::fileURL(url.toLocalFile().toStdString()))));
        return Qt::CopyAction;
    });
    core::MainLoop::processEvents(2 * vistrel::SnapsView::animationDuration + 0.1);
    const auto& cell = *document.outlets().snapsView.lock()->cells().at(pressed);
    document.outlets().snapsView.lock()->scrollRectToVisible(cell.frame());
    const gfx::Point at = cell.convertPointTo({cell.bounds().midX(), cell.bounds().midY()}, nullptr);
    const auto send = [&](ui::EventType type, const gfx::Point& where) {
        document.outlets().mainWindow.lock()->sendEvent(ui::Event::mouseEvent(
            type, where, ui::ModifierFlags::command, 0, document.outlets().mainWindow.lock()->windowNumber(), 1, 1));
    };
    send(ui::EventType::leftMouseDown, at);
    send(ui::EventType::leftMouseDragged, {at.x + 10, at.y});
    send(ui::EventType::leftMouseUp, {at.x + 10, at.y});
    ui::setDragPerformer({});
    return seen;
}

TEST_F(DocumentExport, ADropHandsOverTheSnapsDraggedOrNoneAndLeavesNoFileBehind)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    document->snapsManager()->append({snapAt(11), snapAt(22), snapAt(33), snapAt(900)});
    const fs::path dragFolder = ui::dragFilesFolder();
    const auto inDragFolder = [&] { return std::distance(fs::recursive_directory_iterator(dragFolder), {}); };

    // Snaps 0 and 1 selected; a Command-press on snap 1 deselects it, and still drags it along with snap 0.
    document->snapsManager()->setSelection(core::IndexSet{0, 1});
    const auto [handed, frames] = dragOut(*document, 1);
    EXPECT_EQ(document->snapsManager()->selection(), core::IndexSet{0});
    ASSERT_EQ(handed.size(), 2);
    EXPECT_EQ(frames, (std::vector<int>{11, 22})) << "the snaps dragged, not the selection";
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_TRUE(testsupport::runUntil([&] { return inDragFolder() == 0; })) << "read by the target: gone";

    // A dragged snap whose frame cannot be had: nothing is handed over, and the sheet says why.
    document->snapsManager()->setSelection(core::IndexSet{3});
    const auto [none, noFrames] = dragOut(*document, 2);
    EXPECT_TRUE(none.isEmpty());
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_EQ(withoutSnapReasons(document->outlets().exportErrorsTextView.lock()->string()),
              "Cannot snap image at 00:01:30:000\nThe dragged snaps were not dropped\n");
    EXPECT_TRUE(testsupport::runUntil([&] { return inDragFolder() == 0; }));

    // A drop that stopped waiting for files still being written says so at once.
    document->outlets().exportErrorsTextView.lock()->setString("");
    testsupport::TempDir folder("drop");
    document->snapsManager()->setSelection(core::IndexSet{0});
    ASSERT_TRUE(document->sharing()->snapsViewDropSelectionTo(*document->outlets().snapsView.lock(),
                                                              core::Url::fileURL(folder.path().string())));
    EXPECT_FALSE(document->sharing()->snapsViewDroppedFilesSettled(*document->outlets().snapsView.lock()));
    document->sharing()->snapsViewDroppedFilesWithheld(*document->outlets().snapsView.lock());
    EXPECT_EQ(document->outlets().exportErrorsTextView.lock()->string(), "The dragged snaps were not dropped\n");
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_TRUE(document->sharing()->snapsViewDroppedFilesSettled(*document->outlets().snapsView.lock()));
}

TEST_F(DocumentExport, CopyPutsThePNGOfTheFirstSelectedSnapOnTheClipboard)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    auto pasteboard = ui::Pasteboard::general();
    pasteboard->clearContents();
    pasteboard->setString("before");
    // Nothing selected: only a beep.
    document->copySelectedItem(nullptr);
    core::MainLoop::processEvents(0.05);
    EXPECT_EQ(pasteboard->string(), "before");
    // Sharing with nothing selected shows no menu whose Copy could empty the clipboard.
    document->showShareMenu(nullptr);
    core::MainLoop::processEvents(0.05);
    EXPECT_FALSE(QApplication::activePopupWidget());
    EXPECT_EQ(pasteboard->string(), "before");

    document->snapsManager()->append({snapAt(40, editions[1]), snapAt(17), snapAt(50)});
    document->snapsManager()->setSelection(core::IndexSet{0, 2});
    document->copySelectedItem(nullptr);
    ASSERT_TRUE(testsupport::runUntil([&] { return pasteboard->data(ui::PasteboardType::png).has_value(); }));
    EXPECT_EQ(pasteboard->types(), std::vector<std::string>{"image/png"});
    const auto image = gfx::ImageReader::readData(*pasteboard->data(ui::PasteboardType::png));
    ASSERT_TRUE(image);
    EXPECT_EQ(kestrane::size(image), (gfx::Size{120, 160}));
    EXPECT_EQ(frameOf(undoing(editions[1]).apply(image)), 40);

    // A frame that cannot be had leaves the clipboard as it was.
    document->snapsManager()->append({snapAt(900)});
    document->snapsManager()->setSelection(core::IndexSet{3});
    pasteboard->setString("kept");
    document->copySelectedItem(nullptr);
    std::atomic<bool> grabbed = false;
    document->frames().thumbnailQueue()->async([&] { grabbed = true; });
    ASSERT_TRUE(testsupport::runUntil([&] { return grabbed.load(); }));
    core::MainLoop::processEvents(0.01);
    EXPECT_EQ(pasteboard->string(), "kept");
}

TEST_F(DocumentExport, SharedPicturesComeFromTheMoviePictureOnScreen)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    const ui::SharingItem picture{
        .image = gfx::Image::create(2, 2, std::vector<gfx::Pixel>(4, 0)), .url = {}, .text = {}};
    const gfx::Rect onScreen =
        document->outlets().mainWindow.lock()->convertRectToScreen(document->outlets().movieView.lock()->convertRectTo(
            document->outlets().movieView.lock()->videoRect(), nullptr));
    EXPECT_FALSE(document->outlets().movieView.lock()->videoRect().isEmpty());
    EXPECT_EQ(document->sharing()->sharingSourceFrame(picture), onScreen);
    EXPECT_EQ(document->sharing()->sharingSourceFrame(ui::SharingItem{.image = nullptr, .url = {}, .text = "text"}),
              gfx::Rect{});
    auto service = ui::SharingService::named(ui::SharingService::composeEmail);
    EXPECT_EQ(document->sharing()->sourceWindowForShareItems(*service, {picture}, nullptr),
              document->outlets().mainWindow.lock());
    EXPECT_EQ(document->sharing()->transitionImageForShareItem(*service, picture, nullptr), picture.image);

    // The export button's menu stays up once shown, with the image formats under each image export.
    document->snapsManager()->append({snapAt(3)});
    document->snapsManager()->setSelection(core::IndexSet{0});
    document->showExportMenu(nullptr);
    ASSERT_TRUE(testsupport::runUntil([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }));
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(popup);
    ASSERT_EQ(popup->actions().size(), 3);
    ASSERT_TRUE(popup->actions()[0]->menu());
    EXPECT_EQ(popup->actions()[0]->menu()->actions().size(), 3);
    popup->hide();
}

}  // namespace
}  // namespace documenttest
