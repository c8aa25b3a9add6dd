// Dragging snaps out of the strip: past a 2-point threshold, when the delegate allows it, the dragged snaps
// (the selection and the pressed one) are written by the delegate into a fresh folder and the drag carries
// those files as a copy, with one picture of the dragged cells; the files go when the drag ends without a
// drop, and after a drop once the target has read them.
#include <QDrag>
#include <QMimeData>
#include <QUrl>

#include <fstream>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gfx/image_reader.h"
#include "platform/gfx/image_writer.h"
#include "platform/ui/detail/qt_dragging.h"
#include "platform/ui/detail/qt_view.h"
#include "tests/app/snaps_strip_fixture.h"
#include "tests/platform/core/run_until.h"

namespace {

using snapstest::Strip;
using Indexes = std::vector<std::int64_t>;

// Writes each dragged snap's miniature as "snap-<position>.png" into the drop folder, as the document's export
// would, and records what it was asked.
class WritingDelegate : public core::Object, public vistrel::SnapsViewDelegate {
public:
    bool allows = true;
    int asked = 0;
    std::vector<Indexes> written;
    std::string folder;

    bool snapsViewCanDragSelection(vistrel::SnapsView&) override
    {
        ++asked;
        return allows;
    }

    std::optional<std::vector<std::string>> snapsViewDropSelectionTo(vistrel::SnapsView& view,
                                                                     const core::Url& destination) override
    {
        folder = destination.path();
        std::vector<std::string> names;
        written.push_back(view.draggedIndexes().indexes());
        for (const auto k : view.draggedIndexes()) {
            const std::string name = "snap-" + std::to_string(k) + ".png";
            auto writer = gfx::ImageWriter::create(core::Url::fileURL(folder + "/" + name), gfx::ImageFileType::png, 1);
            if (!writer) return std::nullopt;
            writer->addImage(view.snapsManager()->items()[std::size_t(k)]->image());
            if (!writer->finalize()) return std::nullopt;
            names.push_back(name);
        }
        return names;
    }
};

// A strip whose drags go to a drop target played by the test: it looks at the files the drag hands over
// while the drag runs, and drops them or not.
struct DragStrip : Strip {
    std::shared_ptr<WritingDelegate> delegate = core::make<WritingDelegate>();
    Qt::DropAction answer = Qt::IgnoreAction;
    // What the target was handed, and the pictures of those files as it read them during the drag.
    QList<QUrl> handed;
    std::vector<gfx::ImageRef> pictures;
    Qt::DropActions offered;

    explicit DragStrip(int count) : Strip(count)
    {
        view->setDelegate(delegate);
        ui::setDragPerformer([this](QDrag& drag, Qt::DropActions actions) {
            offered = actions;
            handed = drag.mimeData()->urls();
            pictures.clear();
            for (const QUrl& url : handed)
                pictures.push_back(gfx::ImageReader::read(core::Url::fileURL(url.toLocalFile().toStdString())));
            return answer;
        });
    }
    ~DragStrip() { ui::setDragPerformer({}); }

    // Presses on cell k and moves `distance` points to the right; the drag this starts, if any.
    QDrag* pressAndMove(std::size_t position, double distance, std::uint64_t modifiers = 0)
    {
        const gfx::Point start = middleOf(position);
        send(ui::EventType::leftMouseDown, start, modifiers);
        send(ui::EventType::leftMouseDragged, {start.x + distance, start.y}, modifiers);
        return ui::widgetOf(*cell(position))->findChild<QDrag*>();
    }
};

TEST(SnapsDragOut, StartsPastTwoPointsWithTheFilesTheDelegateWrote)
{
    DragStrip strip(4);
    EXPECT_FALSE(strip.pressAndMove(1, 2.0));
    EXPECT_EQ(strip.delegate->asked, 0) << "2 points is no drag yet";
    strip.send(ui::EventType::leftMouseUp, strip.middleOf(1));
    EXPECT_EQ(strip.selection(), (Indexes{1}));

    QDrag* drag = strip.pressAndMove(1, 2.1);
    ASSERT_TRUE(drag);
    EXPECT_EQ(strip.delegate->asked, 1);
    EXPECT_EQ(strip.delegate->written, (std::vector<Indexes>{{1}}));
    const QMimeData* data = drag->mimeData();
    ASSERT_EQ(strip.handed.size(), 1);
    const std::string path = strip.handed[0].toLocalFile().toStdString();
    EXPECT_EQ(std::filesystem::path(path).parent_path(), strip.delegate->folder);
    ASSERT_TRUE(strip.pictures[0]) << "the dragged file was there, an image, while the drag ran";
    EXPECT_EQ(strip.pictures[0]->pixel(10, 10), snapstest::green) << "snap 1's picture";
    EXPECT_FALSE(std::filesystem::exists(strip.delegate->folder)) << "no drop: the files are gone";
    EXPECT_FALSE(data->hasFormat(QString::fromStdString(ui::PasteboardType::promisedFile)));
    EXPECT_EQ(strip.offered, Qt::CopyAction);
    // The picture is the cell's image area, held where the pointer pressed it.
    EXPECT_NEAR(drag->pixmap().deviceIndependentSize().width(), strip.cell(1)->imageRect().width(), 1);
    EXPECT_EQ(drag->pixmap().deviceIndependentSize().height(), 100);
    EXPECT_NEAR(drag->hotSpot().y(), 50, 1);
    const gfx::Point further = strip.middleOf(1);
    strip.send(ui::EventType::leftMouseDragged, {further.x + 8, further.y});
    EXPECT_EQ(strip.delegate->asked, 1) << "one drag per press";
}

TEST(SnapsDragOut, ACommandPressedSnapIsDraggedAlongWithTheSelection)
{
    DragStrip strip(4);
    strip.manager->setSelection({1, 2});
    QDrag* drag = strip.pressAndMove(2, 5, ui::ModifierFlags::command);
    ASSERT_TRUE(drag);
    EXPECT_EQ(strip.selection(), (Indexes{1})) << "the Command press deselected snap 2";
    EXPECT_EQ(strip.delegate->written, (std::vector<Indexes>{{1, 2}}));
    const QList<QUrl>& urls = strip.handed;
    ASSERT_EQ(urls.size(), 2);
    EXPECT_TRUE(urls[0].toLocalFile().endsWith("snap-1.png"));
    EXPECT_TRUE(urls[1].toLocalFile().endsWith("snap-2.png"));
    for (const auto& picture : strip.pictures)
        EXPECT_TRUE(picture);
    EXPECT_TRUE(strip.view->draggedIndexes().isEmpty()) << "only while the drag starts";
    // One picture holds both cells side by side.
    EXPECT_GT(drag->pixmap().deviceIndependentSize().width(), 2 * strip.cell(1)->imageRect().width());
}

TEST(SnapsDragOut, NothingIsDraggedWhenTheDelegateRefusesOrDuringARubberBand)
{
    DragStrip strip(3);
    strip.delegate->allows = false;
    EXPECT_FALSE(strip.pressAndMove(0, 10));
    EXPECT_EQ(strip.delegate->asked, 1);
    EXPECT_TRUE(strip.delegate->written.empty());
    strip.send(ui::EventType::leftMouseUp, strip.middleOf(0));

    strip.delegate->allows = true;
    const gfx::Point margin = strip.inWindow(*strip.cell(0), {4, 60});
    strip.send(ui::EventType::leftMouseDown, margin);
    strip.send(ui::EventType::leftMouseDragged, strip.middleOf(1));
    EXPECT_EQ(strip.delegate->asked, 1) << "a rubber band over cells starts no drag";
    EXPECT_EQ(strip.shownSelection(), (Indexes{0, 1}));
    strip.send(ui::EventType::leftMouseUp, strip.middleOf(1));
    EXPECT_EQ(strip.selection(), (Indexes{0, 1}));

    // Without a delegate there is no drag.
    strip.view->setDelegate(nullptr);
    EXPECT_FALSE(strip.pressAndMove(1, 10));
    EXPECT_EQ(strip.view->namesOfPromisedFilesDroppedAtDestination(core::Url::fileURL("/tmp")),
              std::vector<std::string>{});
}

TEST(SnapsDragOut, AfterADropTheFilesGoOnceTheTargetHasReadThem)
{
    DragStrip strip(3);
    strip.answer = Qt::CopyAction;
    // A target that copies later than the drop (as a file manager does): the files wait for it.
    ui::setDragPerformer([&](QDrag& drag, Qt::DropActions) {
        strip.handed = drag.mimeData()->urls();
        return Qt::CopyAction;
    });
    ASSERT_TRUE(strip.pressAndMove(0, 10));
    strip.send(ui::EventType::leftMouseUp, strip.middleOf(0));
    ASSERT_EQ(strip.handed.size(), 1);
    const std::string path = strip.handed[0].toLocalFile().toStdString();
    core::MainLoop::processEvents(0.1);
    EXPECT_TRUE(std::filesystem::exists(path)) << "not read yet";
    EXPECT_TRUE(gfx::ImageReader::read(core::Url::fileURL(path))) << "the target copies it";
    EXPECT_TRUE(testsupport::runUntil([&] { return !std::filesystem::exists(strip.delegate->folder); }));

    // Handed over within the drop, read there: gone as soon as the drag ends.
    DragStrip again(3);
    again.answer = Qt::CopyAction;
    ASSERT_TRUE(again.pressAndMove(1, 10));
    ASSERT_EQ(again.pictures.size(), 1u);
    EXPECT_TRUE(again.pictures[0]);
    EXPECT_TRUE(testsupport::runUntil([&] { return !std::filesystem::exists(again.delegate->folder); }));
}

TEST(SnapsDragOut, AfterADropOfManyTheFilesStayUntilTheTargetHasReadEachOne)
{
    DragStrip strip(3);
    strip.manager->setSelection({0, 1, 2});
    ui::setDragPerformer([&](QDrag& drag, Qt::DropActions) {
        strip.handed = drag.mimeData()->urls();
        return Qt::CopyAction;
    });
    ASSERT_TRUE(strip.pressAndMove(1, 10));
    strip.send(ui::EventType::leftMouseUp, strip.middleOf(1));
    ASSERT_EQ(strip.handed.size(), 3);
    // The target copies one file after the other, later than the drop: each stays until it has been read.
    for (const QUrl& url : strip.handed) {
        const std::size_t seen = ui::dragFileReadsSeen();
        for (const QUrl& left : strip.handed.mid(strip.handed.indexOf(url)))
            EXPECT_TRUE(std::filesystem::exists(left.toLocalFile().toStdString())) << left.toLocalFile().toStdString();
        EXPECT_TRUE(gfx::ImageReader::read(core::Url::fileURL(url.toLocalFile().toStdString())));
        ASSERT_TRUE(testsupport::runUntil([&] { return ui::dragFileReadsSeen() > seen; }));
    }
    EXPECT_TRUE(testsupport::runUntil([&] { return !std::filesystem::exists(strip.delegate->folder); }));
}

// A delegate that promises files it does not write.
class FailingDelegate : public WritingDelegate {
public:
    int withheld = 0;
    std::optional<std::vector<std::string>> snapsViewDropSelectionTo(vistrel::SnapsView& view,
                                                                     const core::Url& destination) override
    {
        auto names = WritingDelegate::snapsViewDropSelectionTo(view, destination);
        if (names) names->push_back("never-written.png");
        return names;
    }
    void snapsViewDroppedFilesWithheld(vistrel::SnapsView&) override { ++withheld; }
};

TEST(SnapsDragOut, ADropOfFilesNotAllWrittenHandsOverNoneAndSaysSo)
{
    DragStrip strip(3);
    auto failing = core::make<FailingDelegate>();
    strip.view->setDelegate(failing);
    strip.answer = Qt::CopyAction;
    ASSERT_TRUE(strip.pressAndMove(0, 10));
    EXPECT_TRUE(strip.handed.isEmpty()) << "all or none";
    EXPECT_EQ(failing->withheld, 1);
    EXPECT_TRUE(testsupport::runUntil([&] { return !std::filesystem::exists(failing->folder); }))
        << "nothing handed over: gone";
}

TEST(SnapsDragOut, ALaterStartRemovesWhatAKilledProgramLeft)
{
    const std::filesystem::path ours = ui::dragFilesFolder();
    ASSERT_TRUE(std::filesystem::is_directory(ours));
    const std::filesystem::path left = ours.parent_path() / "vistrel-drag-left";
    std::filesystem::create_directories(left / "drop-1");
    std::ofstream(left / "drop-1" / "snap.png") << "left";
    ui::removeLeftoverDragFiles();
    EXPECT_FALSE(std::filesystem::exists(left));
    EXPECT_TRUE(std::filesystem::is_directory(ours)) << "a running program's folder stays";
}

}  // namespace
