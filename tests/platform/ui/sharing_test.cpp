// Sharing: the picker's menu copies pictures as PNG and file names and saves a picture, saying why when it
// cannot; the mail service builds its message link.
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/gfx/image_reader.h"
#include "platform/ui/detail/qt_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/pasteboard.h"
#include "platform/ui/sharing.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(SharingServicePicker, CopiesThePictureAsPngAndTheFiles)
{
    auto image = gfx::Image::create(2, 2, std::vector<gfx::Pixel>(4, 0xff336699));
    auto picker = core::make<ui::SharingServicePicker>(
        std::vector<ui::SharingItem>{{image, std::nullopt, ""}, {nullptr, core::Url::fileURL("/tmp/snap 1.png"), ""}});
    ASSERT_EQ(picker->menu()->items().size(), 4u);
    EXPECT_EQ(picker->menu()->items()[0]->title(), "Copy");
    EXPECT_TRUE(picker->tryToPerform(ui::actions::copyItems, nullptr));
    auto board = ui::Pasteboard::general();
    auto png = board->data(ui::PasteboardType::png);
    ASSERT_TRUE(png);
    auto back = gfx::ImageReader::readData(*png);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixel(1, 1), 0xff336699u);
    EXPECT_EQ(board->filenames(), std::vector<std::string>{"/tmp/snap 1.png"});

    // A picker of nothing copies nothing: the clipboard keeps what it held.
    auto empty = core::make<ui::SharingServicePicker>(std::vector<ui::SharingItem>{});
    board->setString("kept");
    EXPECT_TRUE(empty->tryToPerform(ui::actions::copyItems, nullptr));
    EXPECT_EQ(board->string(), "kept");
}

TEST(SharingServicePicker, SaveAsWritesThePictureOrSaysWhyItCouldNot)
{
    testsupport::TempDir folder("share");
    auto image = gfx::Image::create(2, 2, std::vector<gfx::Pixel>(4, 0xff336699));
    auto picker = core::make<ui::SharingServicePicker>(std::vector<ui::SharingItem>{{image, std::nullopt, ""}});
    // Chooses `name` in the folder, then gives the words of the alert that follows, if one does.
    const auto saveAs = [&](const std::string& name) {
        std::string told;
        bool performed = false;
        bool looked = false;
        QTimer::singleShot(0, [&] {
            QFileDialog* dialog = nullptr;
            testsupport::runUntil(
                [&] { return (dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())); });
            ASSERT_TRUE(dialog);
            dialog->selectFile(QString::fromStdString((folder / name).string()));
            QTimer::singleShot(0, [&] {
                QMessageBox* box = nullptr;
                testsupport::runUntil(
                    [&] { return performed || (box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())); });
                if (box) {
                    told = (box->text() + " " + box->informativeText()).toStdString();
                    box->accept();
                }
                looked = true;
            });
            static_cast<QDialog*>(dialog)->accept();
        });
        EXPECT_TRUE(picker->tryToPerform("saveItems:", nullptr));
        performed = true;
        EXPECT_TRUE(testsupport::runUntil([&] { return looked; }));
        return told;
    };

    EXPECT_EQ(saveAs("snap.png"), "");
    auto back = gfx::ImageReader::read(core::Url::fileURL((folder / "snap.png").string()));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixel(1, 1), 0xff336699u);

    // A name that links into a folder that has gone (an unplugged disk).
    std::filesystem::create_symlink(folder / "gone" / "snap.png", folder / "linked.png");
    const std::string told = saveAs("linked.png");
    EXPECT_NE(told.find("The picture could not be saved."), std::string::npos) << told;
    EXPECT_NE(told.find("No such file or directory"), std::string::npos) << told;
}

// While it lives, the desktop has no program to open files, links or messages with.
struct NoDesktopPrograms {
    QByteArray path = qgetenv("PATH");
    testsupport::TempDir empty{"no-programs"};
    NoDesktopPrograms() { qputenv("PATH", QByteArray::fromStdString(empty.path().string())); }
    ~NoDesktopPrograms() { qputenv("PATH", path); }
};

// The words of the alert that `act` shows, answered; empty when it shows none.
std::string alertShownBy(const std::function<void()>& act)
{
    std::string told;
    bool acted = false;
    bool looked = false;
    QTimer::singleShot(0, [&] {
        QMessageBox* box = nullptr;
        testsupport::runUntil(
            [&] { return acted || (box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())); });
        if (box) {
            told = (box->text() + " " + box->informativeText()).toStdString();
            box->accept();
        }
        looked = true;
    });
    act();
    acted = true;
    testsupport::runUntil([&] { return looked; });
    return told;
}

TEST(SharingServicePicker, OpenAndEmailSayWhenNoProgramTakesThem)
{
    NoDesktopPrograms none;
    testsupport::TempDir folder("share");
    const auto file = core::Url::fileURL((folder / "snap 1.png").string());
    auto picker = core::make<ui::SharingServicePicker>(std::vector<ui::SharingItem>{{nullptr, file, "a snap"}});
    std::string told = alertShownBy([&] { EXPECT_TRUE(picker->tryToPerform("openItems:", nullptr)); });
    EXPECT_NE(told.find("\"" + file.path() + "\" could not be opened."), std::string::npos) << told;
    told = alertShownBy([&] { EXPECT_TRUE(picker->tryToPerform("emailItems:", nullptr)); });
    EXPECT_NE(told.find("The message could not be written."), std::string::npos) << told;
}

class FlippedView : public ui::View {
public:
    using View::View;
    bool isFlipped() const override { return true; }
};

TEST(SharingServicePicker, ShowsItsMenuAtTheEdgeInTheViewsOwnSpace)
{
    auto window = ui::Window::create({200, 200, 300, 300}, ui::StyleMask::titled);
    auto plain = core::make<ui::View>(gfx::Rect{100, 120, 60, 40});
    auto flipped = core::make<FlippedView>(gfx::Rect{20, 20, 60, 40});
    window->contentView()->addSubview(plain);
    window->contentView()->addSubview(flipped);
    window->makeKeyAndOrderFront(nullptr);
    auto picker = core::make<ui::SharingServicePicker>(std::vector<ui::SharingItem>{});
    // Where the menu's widget sits against the view's widget, in the toolkit's y-down pixels.
    auto place = [&](const std::shared_ptr<ui::View>& view, ui::RectEdge edge) {
        picker->show(view->bounds(), view, edge);
        QWidget* popup = QApplication::activePopupWidget();
        EXPECT_TRUE(popup);
        const QRect anchor(ui::widgetOf(*view)->mapToGlobal(QPoint(0, 0)), ui::widgetOf(*view)->size());
        const QRect menu = popup ? popup->geometry() : QRect();
        if (popup) popup->hide();
        return std::pair{anchor, menu};
    };
    auto [anchor, menu] = place(plain, ui::RectEdge::maxY);
    EXPECT_EQ(menu.bottom() + 1, anchor.top());
    EXPECT_EQ(menu.left(), anchor.left());
    std::tie(anchor, menu) = place(plain, ui::RectEdge::minY);
    EXPECT_EQ(menu.top(), anchor.bottom() + 1);
    std::tie(anchor, menu) = place(plain, ui::RectEdge::maxX);
    EXPECT_EQ(menu.left(), anchor.right() + 1);
    // A flipped view's maximum Y is its visual bottom.
    std::tie(anchor, menu) = place(flipped, ui::RectEdge::maxY);
    EXPECT_EQ(menu.top(), anchor.bottom() + 1);
    window->close();
}

TEST(SharingService, WritesTheMessageLink)
{
    EXPECT_EQ(ui::SharingService::named("com.example.other"), nullptr);
    auto mail = ui::SharingService::named(ui::SharingService::composeEmail);
    ASSERT_TRUE(mail);
    mail->setRecipients({"support@example.org"});
    mail->setSubject("About Vistrel 1.0");
    EXPECT_EQ(mail->mailtoLink({{nullptr, std::nullopt, ""}}),
              "mailto:support%40example.org?subject=About%20Vistrel%201.0");
    EXPECT_EQ(mail->mailtoLink({{nullptr, std::nullopt, "Hello & bye"}}),
              "mailto:support%40example.org?subject=About%20Vistrel%201.0&body=Hello%20%26%20bye");
}

}  // namespace
