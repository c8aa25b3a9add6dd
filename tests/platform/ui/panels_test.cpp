// Alerts and file panels run as sheets: the response comes after they closed; tab views switch pages.
#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/core/user_defaults.h"
#include "platform/ui/alert.h"
#include "platform/ui/detail/qt_window.h"
#include "platform/ui/save_panel.h"
#include "platform/ui/tab_view.h"
#include "platform/ui/window.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(Alert, AnswersWithTheIndexOfTheButtonAfterClosing)
{
    auto window = ui::Window::create({0, 0, 300, 200}, ui::StyleMask::titled);
    window->makeKeyAndOrderFront(nullptr);
    auto alert = core::make<ui::Alert>();
    alert->setMessageText("Rate this program?");
    alert->addButton("Rate");
    alert->addButton("Cancel");
    alert->addButton("Remind");
    std::optional<ui::ModalResponse> response;
    bool boxVisibleAtCompletion = true;
    alert->beginSheetModal(window, [&](ui::ModalResponse r) {
        response = r;
        auto boxes = ui::widgetOf(*window)->findChildren<QMessageBox*>();
        boxVisibleAtCompletion = !boxes.isEmpty() && boxes.first()->isVisible();
    });
    auto boxes = ui::widgetOf(*window)->findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    QMessageBox* box = boxes.first();
    EXPECT_EQ(box->text(), "Rate this program?");
    QAbstractButton* remind = nullptr;
    for (auto* button : box->buttons())
        if (button->text() == "Remind") remind = button;
    ASSERT_TRUE(remind);
    remind->click();
    EXPECT_TRUE(testsupport::runUntil([&] { return response.has_value(); }));
    EXPECT_EQ(*response, 1002);
    EXPECT_FALSE(boxVisibleAtCompletion);
    window->close();
}

TEST(SavePanel, GivesTheChosenFileOrNothingOnCancel)
{
    testsupport::TempDir folder("panel");
    auto window = ui::Window::create({0, 0, 300, 200}, ui::StyleMask::titled);
    auto panel = core::make<ui::SavePanel>();
    panel->setDirectoryURL(core::Url::fileURL(folder.path()));
    panel->setNameFieldStringValue("snaps");
    panel->setAllowedFileTypes({"gif"});
    std::optional<ui::ModalResponse> response;
    panel->beginSheetModal(window, [&](ui::ModalResponse r) { response = r; });
    auto dialogs = ui::widgetOf(*window)->findChildren<QFileDialog*>();
    ASSERT_EQ(dialogs.size(), 1);
    QMetaObject::invokeMethod(dialogs.first(), "accept");
    EXPECT_TRUE(testsupport::runUntil([&] { return response.has_value(); }));
    EXPECT_EQ(*response, ui::ModalResponses::ok);
    ASSERT_TRUE(panel->url());
    EXPECT_EQ(panel->url()->lastPathComponent(), "snaps.gif");

    response.reset();
    panel->beginSheetModal(window, [&](ui::ModalResponse r) { response = r; });
    panel->cancel();
    EXPECT_TRUE(testsupport::runUntil([&] { return response.has_value(); }));
    EXPECT_EQ(*response, ui::ModalResponses::cancel);
    EXPECT_FALSE(panel->url());
}

TEST(OpenPanel, NamesItsFiltersAndStartsWhereTheLastChoiceWasMade)
{
    testsupport::TempDir folder("panel");
    std::filesystem::create_directories(folder / "first");
    std::filesystem::create_directories(folder / "later");
    const std::string key = "OpenPanelTestFolder";
    core::UserDefaults::standard()->remove(key);
    auto window = ui::Window::create({0, 0, 300, 200}, ui::StyleMask::titled);
    const auto open = [&](const std::function<void(QFileDialog&)>& use) {
        auto panel = core::make<ui::OpenPanel>();
        panel->setAllowedFileTypes({"mkv", "mp4"});
        panel->setAllowedFileTypesTitle("Movies");
        panel->setAllowsOtherFileTypes(true);
        panel->setOtherFileTypesTitle("All files");
        panel->setDirectoryURL(core::Url::fileURL((folder / "first").string()));
        panel->setDirectoryDefaultsKey(key);
        std::optional<ui::ModalResponse> response;
        panel->beginSheetModal(window, [&](ui::ModalResponse r) { response = r; });
        // Panels that ended are deleted later: the one showing is the visible one.
        QList<QFileDialog*> showing;
        for (auto* dialog : ui::widgetOf(*window)->findChildren<QFileDialog*>())
            if (dialog->isVisible()) showing << dialog;
        ASSERT_EQ(showing.size(), 1);
        use(*showing.first());
        EXPECT_TRUE(testsupport::runUntil([&] { return response.has_value(); }));
    };

    // The first time it opens in the folder it is given; a cancel keeps nothing.
    open([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(), QStringList({"Movies (*.mkv *.mp4)", "All files (*)"}));
        EXPECT_EQ(dialog.directory().absolutePath().toStdString(), (folder / "first").string());
        dialog.setDirectory(QString::fromStdString((folder / "later").string()));
        dialog.reject();
    });
    EXPECT_FALSE(core::UserDefaults::standard()->string(key));
    // A choice keeps the folder the panel was showing; the next panel starts there.
    std::ofstream(folder / "later" / "clip.mkv") << "x";
    open([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString((folder / "later").string()));
        dialog.selectFile(QString::fromStdString((folder / "later" / "clip.mkv").string()));
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    EXPECT_EQ(core::UserDefaults::standard()->string(key), (folder / "later").string());
    open([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().absolutePath().toStdString(), (folder / "later").string());
        dialog.reject();
    });
    // A kept folder that is gone no longer counts.
    std::filesystem::remove_all(folder / "later");
    open([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().absolutePath().toStdString(), (folder / "first").string());
        dialog.reject();
    });
    core::UserDefaults::standard()->remove(key);
    window->close();
}

TEST(TabView, ShowsOnePageAtATime)
{
    struct Recorder : ui::TabViewDelegate {
        std::vector<std::string> selected;
        void didSelectTabViewItem(ui::TabView&, const std::shared_ptr<ui::TabViewItem>& item) override
        {
            selected.push_back(item->identifier());
        }
    };
    auto tabs = core::make<ui::TabView>(gfx::Rect{0, 0, 300, 200});
    tabs->setTabViewType(ui::TabViewType::noTabsNoBorder);
    auto recorder = std::make_shared<Recorder>();
    tabs->setDelegate(recorder);
    auto general = core::make<ui::TabViewItem>("general");
    general->setView(core::make<ui::View>());
    auto advanced = core::make<ui::TabViewItem>("advanced");
    advanced->setView(core::make<ui::View>());
    tabs->addTabViewItem(general);
    tabs->addTabViewItem(advanced);
    EXPECT_EQ(tabs->selectedTabViewItem(), general);
    EXPECT_EQ(general->view()->superview(), tabs);
    EXPECT_EQ(general->view()->frame(), (gfx::Rect{0, 0, 300, 200}));
    tabs->selectTabViewItemWithIdentifier("advanced");
    EXPECT_EQ(advanced->view()->superview(), tabs);
    EXPECT_EQ(general->view()->superview(), nullptr);
    tabs->setFrameSize({400, 250});
    EXPECT_EQ(advanced->view()->frame(), (gfx::Rect{0, 0, 400, 250}));
    EXPECT_EQ(tabs->indexOfTabViewItemWithIdentifier("nothing"), -1);
    EXPECT_EQ(recorder->selected, (std::vector<std::string>{"general", "advanced"}));
}

}  // namespace
