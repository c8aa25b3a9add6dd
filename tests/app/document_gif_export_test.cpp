// Animated GIFs of a document's snaps: the sheet that orders and prunes the frames, the file read back by
// giflib itself (frames, their delays and pictures, the endless loop), the delay and size of the user
// defaults, frames that cannot be grabbed, and a file that cannot be written.
#include "tests/app/document_fixture.h"

#include <gif_lib.h>

#include <fstream>
#include <set>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "app/document/defaults_keys.h"
#include "app/document/document_actions.h"
#include "app/document/gif_exporter_actions.h"
#include "app/document/gif_exporter_controller.h"
#include "app/document/snaps_manager.h"
#include "foundation/image_encoding.h"
#include "foundation/shortcuts.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/ffmpeg_tool.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

namespace documenttest {
namespace {

namespace fs = std::filesystem;
using vistrel::DocumentState;
using vistrel::SnapItem;
using vistrel::SnapItems;

// A GIF as giflib reads it: each frame's picture on the logical screen and its delay, and the loop count
// of the NETSCAPE2.0 block (-1 without one).
struct ReadGIF {
    int width = 0, height = 0;
    std::vector<gfx::ImageRef> frames;
    std::vector<int> delays;
    int loop = -1;
};

std::optional<ReadGIF> readGIF(const fs::path& path)
{
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) return std::nullopt;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return std::nullopt;
    }
    ReadGIF read;
    read.width = gif->SWidth;
    read.height = gif->SHeight;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        for (int e = 0; e < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock& block = image.ExtensionBlocks[e];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::string(reinterpret_cast<const char*>(block.Bytes), 11) == "NETSCAPE2.0" &&
                e + 1 < image.ExtensionBlockCount)
                read.loop = image.ExtensionBlocks[e + 1].Bytes[1] | image.ExtensionBlocks[e + 1].Bytes[2] << 8;
        }
        GraphicsControlBlock control;
        read.delays.push_back(DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK ? control.DelayTime : -1);
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        std::vector<gfx::Pixel> pixels(std::size_t(image.ImageDesc.Width) * std::size_t(image.ImageDesc.Height));
        for (std::size_t p = 0; p < pixels.size(); ++p) {
            const GifColorType& c = map->Colors[image.RasterBits[p]];
            pixels[p] = gfx::makePixel(255, c.Red, c.Green, c.Blue);
        }
        read.frames.push_back(gfx::Image::create(image.ImageDesc.Width, image.ImageDesc.Height, std::move(pixels)));
    }
    DGifCloseFile(gif, &error);
    return read;
}

std::vector<int> frameIndexes(const ReadGIF& gif)
{
    std::vector<int> indexes;
    for (const auto& frame : gif.frames)
        indexes.push_back(frameOf(frame));
    return indexes;
}

// Snaps of those frames.
SnapItems snapsOf(const std::vector<int>& frames)
{
    SnapItems snaps;
    for (const int k : frames)
        snaps.push_back(SnapItem::create(frameTime(k), orvalis::Edition::identity));
    return snaps;
}

bool waitUntilIdle(vistrel::Document& document)
{
    return testsupport::runUntil([&] { return !vistrel::isBusy(document.state()); });
}

// Chooses `path` in the file dialog that the program shows, as the user would.
bool chooseInFileDialog(const fs::path& path)
{
    QFileDialog* dialog = nullptr;
    testsupport::runUntil([&] {
        for (QWidget* widget : QApplication::allWidgets())
            if (auto* found = qobject_cast<QFileDialog*>(widget); found && found->isVisible()) dialog = found;
        return dialog != nullptr;
    });
    if (!dialog) return false;
    dialog->selectFile(QString::fromStdString(path.string()));
    static_cast<QDialog*>(dialog)->accept();
    return true;
}

class DocumentGIFExport : public DocumentTest {
protected:
    void TearDown() override
    {
        kestrane::Defaults[vistrel::TimeLapseIntervalKey] = nullptr;
        kestrane::Defaults[vistrel::TimeLapseMaxSizeKey] = nullptr;
        DocumentTest::TearDown();
    }
};

TEST_F(DocumentGIFExport, ThirtySnapsLoopForEverWithTheDefaultDelayAtFullSize)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    testsupport::TempDir folder("gif");
    std::vector<int> frames;
    for (int i = 0; i < 30; ++i)
        frames.push_back(2 * i);
    document->exports().exportGIF(snapsOf(frames), core::Url::fileURL((folder / "clip.gif").string()));
    EXPECT_EQ(document->state(), DocumentState::exporting);
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_EQ(document->state(), DocumentState::snapping);
    EXPECT_EQ(document->outlets().mainWindow.lock()->attachedSheet(), nullptr);

    const auto gif = readGIF(folder / "clip.gif");
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->width, 160);
    EXPECT_EQ(gif->height, 120);
    EXPECT_EQ(gif->loop, 0);
    EXPECT_EQ(gif->delays, std::vector<int>(30, 10));
    EXPECT_EQ(frameIndexes(*gif), frames);
}

TEST_F(DocumentGIFExport, FramesThatCannotBeGrabbedAreLeftOutOfAGIFOfTheOthers)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    kestrane::Defaults[vistrel::TimeLapseIntervalKey] = 0.25;
    kestrane::Defaults[vistrel::TimeLapseMaxSizeKey] = 80.0;
    testsupport::TempDir folder("gif");
    std::vector<int> frames;
    for (int i = 0; i < 30; ++i)
        frames.push_back(i == 7 ? 900 : i);
    SnapItems snaps = snapsOf(frames);
    // A snap turned sideways is fitted into the size of the others.
    snaps[3] = SnapItem::create(frameTime(3), orvalis::Edition::identity.rotatedRight());
    // Something already at the name stays; the GIF goes beside it.
    {
        std::ofstream(folder / "clip.gif") << "old";
    }
    document->exports().exportGIF(snaps, core::Url::fileURL((folder / "clip.gif").string()));
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_EQ(withoutSnapReasons(document->outlets().exportErrorsTextView.lock()->string()),
              "Cannot snap image at 00:01:30:000\n");
    EXPECT_EQ(document->outlets().mainWindow.lock()->attachedSheet(), document->outlets().exportErrorsAlert.lock());
    EXPECT_EQ(fs::file_size(folder / "clip.gif"), 3u);

    const auto gif = readGIF(folder / "clip (0).gif");
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->width, 80);
    EXPECT_EQ(gif->height, 60);
    EXPECT_EQ(gif->delays, std::vector<int>(29, 25));
    frames.erase(frames.begin() + 7);
    std::vector<int> indexes = frameIndexes(*gif);
    indexes[3] = frames[3];  // turned and fitted: checked apart
    EXPECT_EQ(indexes, frames);
    // The turned snap stands upright in the middle of the frame, with black on both sides.
    const gfx::Image& turned = *gif->frames[3];
    int dark = 0;
    for (int y = 0; y < 60; ++y)
        for (const int x : {0, 5, 74, 79})
            dark += gfx::redOf(turned.pixel(x, y)) < 16 && gfx::greenOf(turned.pixel(x, y)) < 16;
    EXPECT_EQ(dark, 4 * 60);
    int strip = 0;  // the red strip under the index, now upright
    for (int y = 0; y < 60; ++y)
        for (int x = 16; x < 64; ++x)
            strip += gfx::redOf(turned.pixel(x, y)) > 150 && gfx::greenOf(turned.pixel(x, y)) < 100;
    EXPECT_GT(strip, 3 * 60);
}

TEST_F(DocumentGIFExport, AFileThatCannotBeStartedReportsEveryStep)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    testsupport::TempDir folder("gif");
    const fs::path missing = folder / "none" / "clip.gif";
    document->exports().exportGIF(snapsOf({4, 900, 6}), core::Url::fileURL(missing.string()));
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_EQ(withoutSnapReasons(document->outlets().exportErrorsTextView.lock()->string()),
              "Cannot create writer at " + missing.string() + "\n" +
                  "Cannot add image at 00:00:00:400\n"
                  "Cannot snap image at 00:01:30:000\n"
                  "Cannot add image at 00:00:00:600\n"
                  "Cannot finish writing\n");
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST_F(DocumentGIFExport, TheSheetWritesTheFramesInTheOrderTheUserLeft)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    document->snapsManager()->append(snapsOf({5, 15, 25, 35}));
    ASSERT_TRUE(enables(*document, vistrel::actions::exportAllAsGIF));
    ASSERT_TRUE(document->tryToPerform(vistrel::actions::exportAllAsGIF, nullptr));
    auto sheet = document->gifSheetWindowController();
    EXPECT_EQ(document->outlets().mainWindow.lock()->attachedSheet(), sheet->window());
    EXPECT_EQ(sheet->saveName(), "clip");
    auto table = sheet->outlets().tableView.lock();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->selectedRowIndexes(), std::vector<long>{0});

    // The second frame goes down one place, then the first is removed.
    vistrel::GIFExporterController& controller = *sheet;
    table->selectRowIndexes({1}, false);
    ASSERT_TRUE(controller.tryToPerform(vistrel::actions::moveDownItem, nullptr));
    EXPECT_EQ(table->selectedRowIndexes(), std::vector<long>{2});
    EXPECT_EQ(sheet->outlets().frameField.lock()->stringValue(), "3 / 4");
    table->selectRowIndexes({0}, false);
    ASSERT_TRUE(controller.tryToPerform(vistrel::actions::deleteItem, nullptr));

    testsupport::TempDir folder("gif");
    ASSERT_TRUE(controller.tryToPerform(vistrel::actions::validateExportation, nullptr));
    ASSERT_TRUE(chooseInFileDialog(folder / "ordered.gif"));
    EXPECT_TRUE(sheet->snapItems().empty());
    EXPECT_EQ(sheet->fileURL(), core::Url::fileURL((folder / "ordered.gif").string()));
    EXPECT_EQ(document->state(), DocumentState::exporting);
    ASSERT_TRUE(waitUntilIdle(*document));
    const auto gif = readGIF(folder / "ordered.gif");
    ASSERT_TRUE(gif);
    EXPECT_EQ(frameIndexes(*gif), (std::vector<int>{25, 15, 35}));

    // A cancelled sheet writes nothing and leaves the state.
    ASSERT_TRUE(document->tryToPerform(vistrel::actions::exportAllAsGIF, nullptr));
    ASSERT_TRUE(controller.tryToPerform(vistrel::actions::cancelExportation, nullptr));
    EXPECT_EQ(document->outlets().mainWindow.lock()->attachedSheet(), nullptr);
    EXPECT_TRUE(sheet->snapItems().empty());
    EXPECT_EQ(document->state(), DocumentState::snapping);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
}

TEST_F(DocumentGIFExport, TheSheetStepsRoundMovesAndKeepsItsLastFrame)
{
    auto sheet = vistrel::GIFExporterController::create();
    auto table = sheet->outlets().tableView.lock();
    auto label = sheet->outlets().frameField.lock();
    ASSERT_TRUE(table && label && sheet->outlets().imageView.lock());
    sheet->setSnapItems({});
    EXPECT_EQ(label->stringValue(), "No frame");
    EXPECT_TRUE(table->selectedRowIndexes().empty());

    SnapItems snaps = snapsOf({1, 2, 3});
    snaps[1]->setImage(gfx::Image::create(2, 2, std::vector<gfx::Pixel>(4, 0xff000000)));
    sheet->setSnapItems(snaps);
    EXPECT_EQ(label->stringValue(), "1 / 3");
    EXPECT_EQ(sheet->objectValueFor(*table, table->tableColumnWithIdentifier("Index"), 2).type(), typeid(long));
    EXPECT_EQ(std::any_cast<long>(sheet->objectValueFor(*table, table->tableColumnWithIdentifier("Index"), 2)), 3);
    EXPECT_EQ(std::any_cast<std::string>(sheet->objectValueFor(*table, table->tableColumnWithIdentifier("Time"), 1)),
              "00:00:00:200");
    EXPECT_FALSE(sheet->objectValueFor(*table, table->tableColumnWithIdentifier("Time"), 3).has_value());

    sheet->showPreviousFrame(nullptr);
    EXPECT_EQ(sheet->currentIndex(), 2u);
    sheet->showNextFrame(nullptr);
    EXPECT_EQ(sheet->currentIndex(), 0u);
    sheet->showNextFrame(nullptr);
    EXPECT_EQ(label->stringValue(), "2 / 3");
    EXPECT_EQ(table->selectedRowIndexes(), std::vector<long>{1});
    EXPECT_EQ(sheet->outlets().imageView.lock()->image(), snaps[1]->image());

    // The first frame does not move up; the moved frame stays selected where it went.
    table->selectRowIndexes({0}, false);
    sheet->moveUpItem(nullptr);
    EXPECT_EQ(sheet->snapItems(), snaps);
    EXPECT_EQ(table->selectedRowIndexes(), std::vector<long>{0});
    table->selectRowIndexes({2}, false);
    sheet->moveUpItem(nullptr);
    EXPECT_EQ(sheet->snapItems(), (SnapItems{snaps[0], snaps[2], snaps[1]}));
    EXPECT_EQ(sheet->currentIndex(), 1u);

    // Removing shows the first frame; the last one left stays.
    sheet->deleteItem(nullptr);
    EXPECT_EQ(sheet->snapItems(), (SnapItems{snaps[0], snaps[1]}));
    EXPECT_EQ(sheet->currentIndex(), 0u);
    sheet->deleteItem(nullptr);
    sheet->deleteItem(nullptr);
    EXPECT_EQ(sheet->snapItems(), SnapItems{snaps[1]});
    sheet->showNextFrame(nullptr);
    sheet->showPreviousFrame(nullptr);
    EXPECT_EQ(sheet->currentIndex(), 0u);
    EXPECT_EQ(label->stringValue(), "1 / 1");

    // The fields show the user defaults the writing reads.
    kestrane::Defaults[vistrel::TimeLapseIntervalKey] = 0.3;
    kestrane::Defaults[vistrel::TimeLapseMaxSizeKey] = 240.0;
    EXPECT_TRUE(testsupport::runUntil([&] { return sheet->frameDelay() == 0.3 && sheet->frameSize() == 240; }));
    sheet->outlets().frameDelayStepper.lock()->step(+1);
    EXPECT_DOUBLE_EQ(kestrane::Defaults[vistrel::TimeLapseIntervalKey].doubleValue().value_or(0), 0.31);
}

// A movie stored turned whose rotation tag (set by the ffmpeg tool) turns it back: the frames stand upright.
TEST_F(DocumentGIFExport, FramesOfAMovieWhoseTrackAsksToBeTurnedStandUpright)
{
    testsupport::TempDir folder("gif");
    const std::string movie = testsupport::copyStoredTurned(clipMovie(), 90, (folder / "turned.mp4").string());
    auto document = open(movie);
    ASSERT_TRUE(document);
    document->exports().exportGIF(snapsOf({4, 17}), core::Url::fileURL((folder / "turned.gif").string()));
    ASSERT_TRUE(waitUntilIdle(*document));
    const auto gif = readGIF(folder / "turned.gif");
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->width, 160);
    EXPECT_EQ(gif->height, 120);
    EXPECT_EQ(frameIndexes(*gif), (std::vector<int>{4, 17}));
}

TEST_F(DocumentGIFExport, TheCommandAgainWhileTheSheetIsUpDoesNothing)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    document->snapsManager()->append(snapsOf({5, 15, 25}));
    ASSERT_TRUE(document->tryToPerform(vistrel::actions::exportAllAsGIF, nullptr));
    ASSERT_TRUE(document->tryToPerform(vistrel::actions::exportAllAsGIF, nullptr));
    auto sheet = document->gifSheetWindowController();
    EXPECT_EQ(sheet->snapItems().size(), 3u);

    testsupport::TempDir folder("gif");
    ASSERT_TRUE(sheet->tryToPerform(vistrel::actions::validateExportation, nullptr));
    ASSERT_TRUE(chooseInFileDialog(folder / "once.gif"));
    ASSERT_TRUE(waitUntilIdle(*document));
    core::MainLoop::processEvents(0.05);
    EXPECT_EQ(document->outlets().mainWindow.lock()->attachedSheet(), nullptr) << "no second, empty sheet";
    EXPECT_EQ(document->outlets().exportErrorsTextView.lock()->string(), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
    const auto gif = readGIF(folder / "once.gif");
    ASSERT_TRUE(gif);
    EXPECT_EQ(frameIndexes(*gif), (std::vector<int>{5, 15, 25}));

    // Once the sheet is down, the command opens it again.
    ASSERT_TRUE(document->tryToPerform(vistrel::actions::exportAllAsGIF, nullptr));
    EXPECT_EQ(document->outlets().mainWindow.lock()->attachedSheet(), sheet->window());
    ASSERT_TRUE(sheet->tryToPerform(vistrel::actions::cancelExportation, nullptr));
}

TEST_F(DocumentGIFExport, AFileTheUserChoseToReplaceIsReplacedOnceTheGIFIsWhole)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    document->snapsManager()->append(snapsOf({5, 15}));
    testsupport::TempDir folder("gif");
    {
        std::ofstream(folder / "old.gif") << "old";
    }
    ASSERT_TRUE(document->tryToPerform(vistrel::actions::exportAllAsGIF, nullptr));
    auto sheet = document->gifSheetWindowController();
    ASSERT_TRUE(sheet->tryToPerform(vistrel::actions::validateExportation, nullptr));
    // The panel asks whether to replace the file; the user says yes.
    bool asked = false;
    QTimer::singleShot(0, [&] {
        testsupport::runUntil([&] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; });
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked = true;
            box->button(QMessageBox::Yes)->click();
        }
    });
    ASSERT_TRUE(chooseInFileDialog(folder / "old.gif"));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(sheet->replacesFile());
    // Until the GIF is whole, the old file is there as it was.
    EXPECT_EQ(fs::file_size(folder / "old.gif"), 3u);
    ASSERT_TRUE(waitUntilIdle(*document));
    EXPECT_EQ(document->outlets().exportErrorsTextView.lock()->string(), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1) << "replaced, nothing beside";
    const auto gif = readGIF(folder / "old.gif");
    ASSERT_TRUE(gif);
    EXPECT_EQ(frameIndexes(*gif), (std::vector<int>{5, 15}));
}

TEST_F(DocumentGIFExport, TheProgressReachesTheEndOnlyOnceTheFileIsInPlace)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    testsupport::TempDir folder("gif");
    const fs::path path = folder / "progress.gif";
    std::vector<int> frames;
    for (int i = 0; i < 60; ++i)
        frames.push_back(i);
    document->exports().exportGIF(snapsOf(frames), core::Url::fileURL(path.string()));
    std::string early;  // a label of 100 % seen while the file is not there yet
    std::set<std::string> seen;
    ASSERT_TRUE(testsupport::runUntil([&] {
        const std::string label = document->outlets().progressLabel.lock()->stringValue();
        seen.insert(label);
        if (label.ends_with(": 100 %") && !fs::exists(path)) early = label;
        return !vistrel::isBusy(document->state());
    }));
    EXPECT_EQ(early, "");
    EXPECT_GT(seen.size(), 3u) << "the progress moves";
    EXPECT_TRUE(fs::exists(path));
}

}  // namespace
}  // namespace documenttest
