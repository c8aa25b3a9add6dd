// Dragging snaps out of the strip: past a 2-point threshold, when the delegate allows it, the dragged snaps
// (the selection and the pressed one) are written by the delegate into a fresh folder and the drag carries
// those files as a copy, with one picture of the dragged cells.
#include <QDrag>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gfx/image_reader.h"
#include "platform/gfx/image_writer.h"
#include "platform/ui/qt_view.h"
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

struct DragStrip : Strip {
    std::shared_ptr<WritingDelegate> delegate = core::make<WritingDelegate>();
    explicit DragStrip(int count) : Strip(count) { view->setDelegate(delegate); }

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
    ASSERT_TRUE(data->hasUrls());
    ASSERT_EQ(data->urls().size(), 1);
    const std::string path = data->urls()[0].toLocalFile().toStdString();
    EXPECT_EQ(std::filesystem::path(path).parent_path(), strip.delegate->folder);
    const auto written = gfx::ImageReader::read(core::Url::fileURL(path));
    ASSERT_TRUE(written) << "the dragged file exists and is an image";
    EXPECT_EQ(written->pixel(10, 10), snapstest::green) << "snap 1's picture";
    EXPECT_FALSE(data->hasFormat(QString::fromStdString(ui::PasteboardType::promisedFile)));
    EXPECT_EQ(drag->supportedActions(), Qt::CopyAction);
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
    const QList<QUrl> urls = drag->mimeData()->urls();
    ASSERT_EQ(urls.size(), 2);
    EXPECT_TRUE(urls[0].toLocalFile().endsWith("snap-1.png"));
    EXPECT_TRUE(urls[1].toLocalFile().endsWith("snap-2.png"));
    for (const QUrl& url : urls) EXPECT_TRUE(std::filesystem::exists(url.toLocalFile().toStdString()));
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

}  // namespace
