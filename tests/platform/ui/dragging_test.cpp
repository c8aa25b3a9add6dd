// A view registered for file drags hears of a drag that carries files, and takes the drop.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include "platform/ui/detail/qt_view.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"

namespace {

class DropView : public ui::View {
public:
    using View::View;
    int entered = 0;
    int exited = 0;
    std::vector<bool> ended;  // with info or without
    std::vector<core::Url> dropped;
    gfx::Point location;
    ui::DragOperation draggingEntered(const ui::DraggingInfo& info) override
    {
        ++entered;
        return info.fileURLs().empty() ? ui::DragOperations::none : ui::DragOperations::copy;
    }
    void draggingExited(const ui::DraggingInfo*) override { ++exited; }
    void draggingEnded(const ui::DraggingInfo* info) override { ended.push_back(info != nullptr); }
    bool performDragOperation(const ui::DraggingInfo& info) override
    {
        if (info.fileURLs().size() > 2) return false;
        dropped = info.fileURLs();
        location = info.draggingLocation();
        return true;
    }
};

TEST(Dragging, AFileDropReachesARegisteredView)
{
    auto window = ui::Window::create({0, 0, 200, 100}, ui::StyleMask::titled);
    auto view = core::make<DropView>(gfx::Rect{20, 10, 100, 50});
    window->contentView()->addSubview(view);
    view->registerForDraggedTypes({ui::PasteboardType::fileURL});
    QWidget* widget = ui::widgetOf(*view);
    ASSERT_TRUE(widget->acceptDrops());

    QMimeData text;
    text.setText("just text");
    QDragEnterEvent plain(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &plain);
    EXPECT_FALSE(plain.isAccepted());
    EXPECT_EQ(view->entered, 0);  // not a registered type

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/movie one.mov"), QUrl::fromLocalFile("/tmp/two.mp4")});
    QDragEnterEvent enter(QPoint(10, 40), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 40), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_EQ(view->dropped.size(), 2u);
    EXPECT_EQ(view->dropped[0].path(), "/tmp/movie one.mov");
    // Widget pixel (10, 40) is 10 up from the bottom of the view, whose bottom left is at (20, 10).
    EXPECT_EQ(view->location, (gfx::Point{30, 20}));
    EXPECT_EQ(view->ended, std::vector<bool>{true});

    // A drag that leaves ends without a drop; a refused drop ends too.
    QDragEnterEvent again(QPoint(10, 40), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &again);
    QDragLeaveEvent leave;
    QApplication::sendEvent(widget, &leave);
    EXPECT_EQ(view->exited, 1);
    EXPECT_EQ(view->ended, (std::vector<bool>{true, false}));
    QMimeData many;
    many.setUrls(
        {QUrl::fromLocalFile("/tmp/a.mov"), QUrl::fromLocalFile("/tmp/b.mov"), QUrl::fromLocalFile("/tmp/c.mov")});
    QDragEnterEvent third(QPoint(10, 40), Qt::CopyAction, &many, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &third);
    QDropEvent refused(QPointF(10, 40), Qt::CopyAction, &many, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_EQ(view->ended, (std::vector<bool>{true, false, true}));
}

}  // namespace
