// A snap cell draws its picture in a framed box, or a band of the desktop's focus colour around it while
// selected, crisp at scale 2, and carries a remove button on its corner that removes the whole selection.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>

#include <gtest/gtest.h>

#include "platform/ui/button.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/detail/qt_view.h"
#include "tests/app/snaps_strip_fixture.h"

namespace {

using snapstest::Strip;

std::shared_ptr<vistrel::SnapCell> cellOf(gfx::ImageRef image, double height = 100)
{
    auto cell = core::make<vistrel::SnapCell>(gfx::Rect{0, 0, 150, height});
    cell->setImage(std::move(image));
    return cell;
}

// The cell's own drawing at `scale` device pixels per point, over transparent pixels.
QImage rendered(vistrel::SnapCell& cell, double scale)
{
    QWidget* widget = ui::widgetOf(cell);
    widget->resize(int(cell.frame().width()), int(cell.frame().height()));
    QImage image(int(widget->width() * scale), int(widget->height() * scale), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    widget->render(&image);
    return image;
}

QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

TEST(SnapCell, ContentAndImageAreInsetFromTheBounds)
{
    auto cell = cellOf(nullptr);
    EXPECT_EQ(cell->index(), vistrel::SnapCell::unnumbered);
    EXPECT_FALSE(cell->selected());
    EXPECT_EQ(cell->contentRect(), (gfx::Rect{12, 12, 126, 76}));
    EXPECT_EQ(cell->imageRect(), (gfx::Rect{16, 16, 118, 68}));
    EXPECT_TRUE(cell->wantsLayer());

    // Selected, the 20-point button sits on the content's top-left corner, 12 points in from the left and top.
    cell->setSelected(true);
    ASSERT_TRUE(cell->removeButton());
    EXPECT_EQ(cell->removeButton()->frame(), (gfx::Rect{2, 78, 20, 20}));
    EXPECT_FALSE(cell->removeButton()->isHidden());
    EXPECT_TRUE(cell->removeButton()->image());
    EXPECT_TRUE(cell->removeButton()->alternateImage());
    // Assigning the same value again places the button for the cell's current size.
    cell->setFrameSize({150, 132});
    cell->setSelected(true);
    EXPECT_EQ(cell->removeButton()->frame(), (gfx::Rect{2, 110, 20, 20}));
    cell->setSelected(false);
    EXPECT_TRUE(cell->removeButton()->isHidden());
}

TEST(SnapCell, DrawsItsPictureFramedOrInTheFocusColour)
{
    auto cell = cellOf(snapstest::solidImage(118, 68, snapstest::red));
    QImage plain = rendered(*cell, 1);
    // y runs down in the rendered image: the picture fills rows 16 to 83 and columns 16 to 133.
    EXPECT_EQ(at(plain, 16, 16), QColor(255, 0, 0));
    EXPECT_EQ(at(plain, 133, 83), QColor(255, 0, 0));
    EXPECT_EQ(at(plain, 14, 50).alpha(), 0) << "nothing between the frame and the picture";
    EXPECT_EQ(at(plain, 5, 50).alpha(), 0) << "the margin stays undrawn";
    EXPECT_EQ(at(plain, 12, 50).lightness(), 0) << "the black frame line";
    EXPECT_GT(at(plain, 12, 50).alpha(), 64);

    cell->setSelected(true);
    QPalette palette = QApplication::palette();
    const QPalette original = palette;
    palette.setColor(QPalette::Highlight, QColor(200, 60, 180));
    QApplication::setPalette(palette);
    QImage selected = rendered(*cell, 1);
    QApplication::setPalette(original);
    EXPECT_EQ(at(selected, 14, 50), QColor(200, 60, 180)) << "the band follows the desktop's highlight colour";
    EXPECT_EQ(at(selected, 12, 50), QColor(200, 60, 180));
    EXPECT_EQ(at(selected, 60, 14), QColor(200, 60, 180));
    EXPECT_EQ(at(selected, 60, 50), QColor(255, 0, 0));
    EXPECT_EQ(at(selected, 11, 50).alpha(), 0);

    auto blank = cellOf(nullptr);
    QImage none = rendered(*blank, 1);
    EXPECT_EQ(at(none, 60, 50), QColor(0, 0, 0)) << "no picture: black";
}

TEST(SnapCell, IsCrispAtScaleTwo)
{
    auto cell = cellOf(snapstest::solidImage(236, 136, snapstest::blue));
    QImage image = rendered(*cell, 2);
    ASSERT_EQ(image.width(), 300);
    // The picture starts exactly at device pixel 32; the half-point frame is one device pixel at 24.
    EXPECT_EQ(at(image, 32, 100), QColor(0, 0, 255));
    EXPECT_EQ(at(image, 31, 100).alpha(), 0);
    EXPECT_EQ(at(image, 267, 167), QColor(0, 0, 255));
    EXPECT_EQ(at(image, 268, 167).alpha(), 0);
    EXPECT_EQ(at(image, 24, 100), QColor(0, 0, 0));
    EXPECT_EQ(at(image, 23, 100).alpha(), 0);
    EXPECT_EQ(at(image, 25, 100).alpha(), 0);
}

void clickButton(ui::Button& button, bool release = true)
{
    QWidget* widget = ui::controlWidget(button);
    const QPointF middle(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, middle, widget->mapToGlobal(middle), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    if (!release) return;
    QMouseEvent up(QEvent::MouseButtonRelease, middle, widget->mapToGlobal(middle), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(widget, &up);
}

TEST(SnapCell, TheRemoveButtonShowsItsPressAndRemovesTheWholeSelection)
{
    Strip strip(4);
    strip.manager->setSelection({0, 1, 3});
    const auto kept = strip.manager->items()[2];
    auto button = strip.cell(1)->removeButton();
    ASSERT_TRUE(button);
    QWidget* widget = ui::controlWidget(*button);
    const QImage up = widget->grab().toImage();
    clickButton(*button, false);
    const QImage held = widget->grab().toImage();
    EXPECT_NE(up, held) << "the pressed picture shows while the button is held";
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), widget->mapToGlobal(QPointF(10, 10)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
    ASSERT_EQ(strip.manager->items().size(), 1u);
    EXPECT_EQ(strip.manager->items()[0], kept);
    EXPECT_EQ(widget->grab().toImage(), up);
    EXPECT_TRUE(strip.settle());

    // A cell outside a strip removes nothing.
    auto loose = cellOf(nullptr);
    loose->setSelected(true);
    clickButton(*loose->removeButton());
    EXPECT_EQ(strip.manager->items().size(), 1u);
}

}  // namespace
