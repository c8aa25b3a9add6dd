// Clicks, rubber bands, right clicks and keys on the strip change the manager's selection as a user expects:
// driven by the layer's own mouse and key events, through its hit testing and responder chain.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "app/document/document_actions.h"
#include "appkit/event_key_code.h"
#include "platform/ui/detail/qt_menu.h"
#include "platform/ui/detail/qt_view.h"
#include "platform/ui/menu.h"
#include "tests/app/snaps_strip_fixture.h"

namespace {

using snapstest::Strip;
using Indexes = std::vector<std::int64_t>;
using Key = kestrane::EventKeyCode;
constexpr auto command = ui::ModifierFlags::command;
constexpr auto shift = ui::ModifierFlags::shift;

// A content view that records the keys nothing before it handled.
class KeyRecorder : public ui::View {
public:
    using View::View;
    std::vector<std::uint16_t> keys;
    void keyDown(const ui::Event& event) override { keys.push_back(event.keyCode); }
};

struct KeyStrip : Strip {
    std::shared_ptr<KeyRecorder> recorder = core::make<KeyRecorder>(gfx::Rect{0, 0, 600, 180});
    explicit KeyStrip(int count) : Strip(count)
    {
        // The scroll view moves into a content view that hears what the strip passes on.
        window->setContentView(recorder);
        scrollView->removeFromSuperview();
        recorder->addSubview(scrollView);
    }
};

TEST(SnapsViewInteraction, ClicksSelectExtendAndToggle)
{
    Strip strip(8);
    strip.click(3);
    EXPECT_EQ(strip.selection(), (Indexes{3}));
    EXPECT_EQ(strip.shownSelection(), (Indexes{3}));
    strip.click(5);
    EXPECT_EQ(strip.selection(), (Indexes{5}));

    strip.manager->setSelection({2, 7});
    strip.click(4, shift);
    EXPECT_EQ(strip.selection(), (Indexes{2, 3, 4, 7})) << "the span to the lowest selected snap";
    strip.click(0, shift);
    EXPECT_EQ(strip.selection(), (Indexes{0, 1, 2, 3, 4, 7}));
    strip.click(3);
    EXPECT_EQ(strip.selection(), (Indexes{0, 1, 2, 3, 4, 7})) << "a plain click inside the selection keeps it";

    strip.click(3, command);
    EXPECT_EQ(strip.selection(), (Indexes{0, 1, 2, 4, 7}));
    strip.click(3, command | shift);
    EXPECT_EQ(strip.selection(), (Indexes{0, 1, 2, 3, 4, 7})) << "Command wins over Shift";

    strip.manager->setSelection({6});
    strip.click(6, command);
    EXPECT_TRUE(strip.selection().empty());
    strip.click(5, shift);
    EXPECT_EQ(strip.selection(), (Indexes{5})) << "Shift with nothing selected selects the snap alone";
}

TEST(SnapsViewInteraction, CtrlClicksOfTheDesktopToggle)
{
    Strip strip(3);
    strip.manager->setSelection({0});
    QWidget* widget = ui::widgetOf(*strip.cell(2));
    const QPointF middle(widget->width() / 2.0, widget->height() / 2.0);
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, middle, widget->mapToGlobal(middle), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::ControlModifier);
        QApplication::sendEvent(widget, &event);
    }
    EXPECT_EQ(strip.selection(), (Indexes{0, 2}));
}

TEST(SnapsViewInteraction, APressInACellsMarginIsAPressOnTheStrip)
{
    Strip strip(3);
    strip.manager->setSelection({1});
    const gfx::Point margin = strip.inWindow(*strip.cell(1), {6, 66});
    strip.send(ui::EventType::leftMouseDown, margin);
    EXPECT_TRUE(strip.selection().empty()) << "the background press clears the selection";
    strip.send(ui::EventType::leftMouseUp, margin);
    EXPECT_TRUE(strip.selection().empty());
}

TEST(SnapsViewInteraction, ARubberBandShowsWhatItTouchesAndCommitsOnRelease)
{
    Strip strip(4);
    strip.scrollView->contentView()->scrollToPoint({0, 0});
    const auto& first = *strip.cell(0);
    // Only the margins of cell 0: nothing.
    strip.send(ui::EventType::leftMouseDown, strip.inWindow(first, {2, 2}));
    strip.send(ui::EventType::leftMouseDragged, strip.inWindow(first, {11, 11}));
    EXPECT_TRUE(strip.shownSelection().empty());
    // On into the content of cell 2: cells 0 to 2 show selected, the manager waits for the release.
    strip.send(ui::EventType::leftMouseDragged, strip.inWindow(*strip.cell(2), {40, 60}));
    EXPECT_EQ(strip.shownSelection(), (Indexes{0, 1, 2}));
    EXPECT_TRUE(strip.selection().empty());
    strip.send(ui::EventType::leftMouseUp, strip.inWindow(*strip.cell(2), {40, 60}));
    EXPECT_EQ(strip.selection(), (Indexes{0, 1, 2}));

    // A drag straight along the row selects what it crosses.
    strip.send(ui::EventType::leftMouseDown, strip.inWindow(*strip.cell(1), {4, 70}));
    strip.send(ui::EventType::leftMouseDragged, strip.inWindow(*strip.cell(2), {30, 70}));
    strip.send(ui::EventType::leftMouseUp, strip.inWindow(*strip.cell(2), {30, 70}));
    EXPECT_EQ(strip.selection(), (Indexes{1, 2}));

    // A band that starts beside the row, in the clip view, reaches the strip too.
    Strip narrow(1);
    const gfx::Point beside{500, 80};
    ASSERT_EQ(narrow.window->contentView()->hitTest(beside), narrow.scrollView->contentView());
    narrow.send(ui::EventType::leftMouseDown, beside);
    narrow.send(ui::EventType::leftMouseDragged, narrow.middleOf(0));
    narrow.send(ui::EventType::leftMouseUp, narrow.middleOf(0));
    EXPECT_EQ(narrow.selection(), (Indexes{0}));
}

TEST(SnapsViewInteraction, RightClicksSelectTheSnapAndOpenTheMenu)
{
    Strip strip(4);
    auto menu = core::make<ui::Menu>("Snaps");
    menu->addItem("Remove", vistrel::actions::removeSelection, "");
    strip.view->setMenu(menu);
    strip.send(ui::EventType::rightMouseDown, strip.middleOf(2));
    EXPECT_EQ(strip.selection(), (Indexes{2}));
    EXPECT_TRUE(menu->impl().menu->isVisible());
    menu->impl().menu->hide();
    strip.send(ui::EventType::rightMouseUp, strip.middleOf(2));

    strip.manager->setSelection({1, 2});
    strip.send(ui::EventType::rightMouseDown, strip.middleOf(1));
    EXPECT_EQ(strip.selection(), (Indexes{1, 2})) << "a selected snap keeps the selection";
    menu->impl().menu->hide();
    strip.send(ui::EventType::rightMouseUp, strip.middleOf(1));

    strip.send(ui::EventType::rightMouseDown, strip.inWindow(*strip.cell(1), {4, 4}));
    EXPECT_TRUE(strip.selection().empty()) << "a right click beside the snaps clears the selection";
    EXPECT_TRUE(menu->impl().menu->isVisible());
    menu->impl().menu->hide();
}

TEST(SnapsViewInteraction, ArrowsMoveASingleSelectionAndScrollToIt)
{
    KeyStrip strip(10);
    const auto clip = strip.scrollView->contentView();
    strip.click(9);
    EXPECT_GT(clip->bounds().minX(), 0) << "scrolled to the end";
    strip.key(Key::rightArrow);
    EXPECT_EQ(strip.recorder->keys, std::vector<std::uint16_t>{Key::rightArrow}) << "past the last snap: passed on";
    EXPECT_EQ(strip.selection(), (Indexes{9}));
    for (int k = 0; k < 8; ++k)
        strip.key(Key::leftArrow);
    EXPECT_EQ(strip.selection(), (Indexes{1}));
    EXPECT_TRUE(gfx::contains(clip->bounds(), strip.cell(1)->frame())) << "cell 1 scrolled into view";
    for (auto* bar : ui::widgetOf(*strip.scrollView)->findChildren<QScrollBar*>()) {
        if (bar->orientation() == Qt::Horizontal) {
            EXPECT_EQ(bar->value(), int(std::lround(clip->bounds().minX()))) << "the scroll bar follows";
        }
    }
    strip.key(Key::leftArrow);
    strip.key(Key::leftArrow);
    EXPECT_EQ(strip.selection(), (Indexes{0}));
    EXPECT_EQ(strip.recorder->keys.size(), 2u) << "before the first snap: passed on";

    strip.manager->setSelection({3, 5});
    strip.key(Key::rightArrow);
    EXPECT_EQ(strip.selection(), (Indexes{4}));
    strip.manager->setSelection({3, 5});
    strip.key(Key::leftArrow);
    EXPECT_EQ(strip.selection(), (Indexes{2}));
}

TEST(SnapsViewInteraction, DeleteRemovesAndEscapeClearsTheSelection)
{
    KeyStrip strip(4);
    const auto removed = strip.manager->items()[1];
    strip.click(1);
    strip.click(2, command);
    strip.key(Key::escape);
    EXPECT_TRUE(strip.selection().empty());
    strip.key(Key::escape);
    strip.key(Key::deleteKey);
    EXPECT_EQ(strip.recorder->keys, (std::vector<std::uint16_t>{Key::escape, Key::deleteKey}))
        << "nothing selected: passed on";
    EXPECT_EQ(strip.manager->items().size(), 4u);

    // The desktop's Delete key, through Qt.
    strip.click(1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(ui::widgetOf(*strip.cell(1)), &press);
    ASSERT_EQ(strip.manager->items().size(), 3u);
    EXPECT_EQ(std::count(strip.manager->items().begin(), strip.manager->items().end(), removed), 0);
    // Select All is the window's command, not the strip's: Ctrl+A goes on.
    strip.key(Key::letterA, command);
    EXPECT_EQ(strip.recorder->keys.back(), Key::letterA);
    EXPECT_TRUE(strip.settle());
}

}  // namespace
