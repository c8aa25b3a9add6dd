// The preferences window: its two panes in order behind a segmented control, the manual pane's controls
// writing the settings documents read, and the batch pane's template edited as tokens, restored to the
// default, and followed by the next batch task.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>

#include "app/batch/preferences_batch_view_controller.h"
#include "app/batch/preferences_manual_view_controller.h"
#include "app/batch/preferences_window_controller.h"
#include "app/document/defaults_keys.h"
#include "foundation/shortcuts.h"
#include "moviekit/image_namer.h"
#include "platform/ui/button.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/detail/qt_token_edit.h"
#include "platform/ui/pop_up_button.h"
#include "platform/ui/window.h"
#include "tests/app/batch_fixture.h"
#include "tests/app/batch_window_fixture.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"

namespace {

using vistrel::PreferencesBatchViewController;

// The controls of that kind among the view's subviews, in order.
template <class C>
std::vector<std::shared_ptr<C>> controlsOf(ui::View& view)
{
    std::vector<std::shared_ptr<C>> found;
    for (const auto& subview : view.subviews())
        if (auto control = std::dynamic_pointer_cast<C>(subview)) found.push_back(control);
    return found;
}

TEST(PreferencesWindow, ShowsTheManualAndBatchPanesBehindASegmentedControl)
{
    const auto& preferences = vistrel::PreferencesWindowController::sharedController();
    EXPECT_EQ(preferences, vistrel::PreferencesWindowController::sharedController());
    EXPECT_TRUE(preferences->showToolbarItemsAsSegmentedControl);
    ASSERT_EQ(preferences->panels.size(), 2u);
    EXPECT_EQ(preferences->panels[0]->preferenceIdentifier(), "ManualPreferencesIdentifier");
    EXPECT_EQ(preferences->panels[1]->preferenceIdentifier(), "BatchPreferencesIdentifier");
    EXPECT_EQ(preferences->panels[0]->preferenceTitle(), "Snaps");
    EXPECT_EQ(preferences->panels[1]->preferenceTitle(), "Batch");
    EXPECT_EQ(preferences->panels[1]->preferenceToolTip(), "Names of the files batches write");
    EXPECT_TRUE(testsupport::runUntil([&] { return preferences->activatedPanel() == preferences->panels[0]; }));
    ASSERT_TRUE(preferences->segmentedControl());
    EXPECT_EQ(preferences->segmentedControl()->segmentCount(), 2);
}

TEST(PreferencesWindow, TheManualPaneWritesWhatDocumentsReadInTheirKinds)
{
    kestrane::Defaults[vistrel::EnableFlashSoundKey] = true;
    kestrane::Defaults[vistrel::PreferredImageFormatKey] = 0;
    kestrane::Defaults[vistrel::TimeLapseIntervalKey] = 0.1;
    auto view = core::make<vistrel::PreferencesManualViewController>()->view();
    const auto kindOf = [](const std::string& key) { return kestrane::Defaults->object(key)->kind(); };

    const auto boxes = controlsOf<ui::Button>(*view);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1]->state(), ui::ControlState::on);
    boxes[1]->performClick(nullptr);
    EXPECT_EQ(kindOf(vistrel::EnableFlashSoundKey), core::Value::Kind::boolean);
    EXPECT_EQ(kestrane::Defaults[vistrel::EnableFlashSoundKey].boolValue(), false);

    const auto popUps = controlsOf<ui::PopUpButton>(*view);
    ASSERT_EQ(popUps.size(), 1u);
    auto* box = qobject_cast<QComboBox*>(ui::controlWidget(*popUps[0]));
    box->setCurrentIndex(2);
    emit box->activated(2);
    EXPECT_EQ(kindOf(vistrel::PreferredImageFormatKey), core::Value::Kind::integer);
    EXPECT_EQ(kestrane::Defaults[vistrel::PreferredImageFormatKey].intValue(), 2);

    std::shared_ptr<ui::TextField> interval;
    for (const auto& field : controlsOf<ui::TextField>(*view))
        if (!interval && field->isEditable()) interval = field;
    ASSERT_TRUE(interval);
    batchwindow::type(*interval, "0.25");
    EXPECT_EQ(kindOf(vistrel::TimeLapseIntervalKey), core::Value::Kind::real);
    EXPECT_EQ(kestrane::Defaults[vistrel::TimeLapseIntervalKey].doubleValue(), 0.25);
    for (const auto* key :
         {&vistrel::EnableFlashSoundKey, &vistrel::PreferredImageFormatKey, &vistrel::TimeLapseIntervalKey})
        kestrane::Defaults[*key] = nullptr;
}

// Pastes the entries over everything the field holds, as the user does.
void replaceTemplate(ui::TokenField& field, const std::vector<ui::TokenEntry>& entries)
{
    auto* edit = dynamic_cast<ui::TokenEdit*>(ui::controlWidget(field));
    ASSERT_TRUE(edit);
    edit->selectAll();
    QApplication::clipboard()->setMimeData(ui::mimeDataOfEntries(entries));
    edit->paste();
}

TEST(PreferencesWindow, TheBatchPaneEditsAndRestoresTheTemplateTheNextTaskUses)
{
    // A template stored by an earlier version reads back as it was.
    kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = core::Array{"<movie_name>", "-", "<frame_index>"};
    auto pane = core::make<PreferencesBatchViewController>();
    ASSERT_TRUE(pane->view());
    auto all = pane->outlets().allMarkupsTokenField.lock();
    auto output = pane->outlets().outputFormatTokenField.lock();
    auto problem = pane->outlets().templateProblemLabel.lock();
    ASSERT_TRUE(all && output && problem);
    EXPECT_EQ(output->tokens(), (std::vector<std::string>{"<movie_name>", "-", "<frame_index>"}));
    EXPECT_TRUE(problem->isHidden());

    // Every token is listed, as a token, and none is cut off.
    EXPECT_EQ(all->tokens(), orvalis::ImageNamer::AllMarkups());
    auto* list = dynamic_cast<ui::TokenEdit*>(ui::controlWidget(*all));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->entries().size(), 10u);
    for (const auto& entry : list->entries())
        EXPECT_TRUE(entry.isToken) << entry.text;
    list->resize(640, 62);
    list->document()->setTextWidth(list->viewport()->width());
    EXPECT_LE(list->document()->size().height(), list->viewport()->height());

    // Text between tokens, spaces and commas included, goes into the names as typed.
    replaceTemplate(
        *output,
        {{"<frame_index>", true}, {" of, ", false}, {"<movie_name>", true}, {".", true}, {"<image_extension>", true}});
    EXPECT_EQ(kestrane::Defaults[vistrel::BatchOutputMarkupsKey].strings(),
              (std::vector<std::string>{"<frame_index>", " of, ", "<movie_name>", ".", "<image_extension>"}));
    testsupport::TempDir movies("movies");
    testsupport::TempDir out("out");
    auto task = batchtest::makeTask(batchtest::makeMovie(movies.path(), "clip.mp4"), out.path(),
                                    batchtest::everyTenths(10, 30));
    task->start();
    ASSERT_TRUE(batchtest::runUntilFinished({task}));
    EXPECT_EQ(batchtest::fileNames(out.path()), (std::vector<std::string>{"1 of, clip.png", "2 of, clip.png"}));

    // Templates that name no file, a hidden file, a name too long for the file system or one without the image's
    // extension, or that hold a character the settings cannot keep, are refused, and the pane says why; the stored
    // template stays.
    const auto stored = kestrane::Defaults[vistrel::BatchOutputMarkupsKey].strings();
    for (const std::vector<ui::TokenEntry>& refused :
         {std::vector<ui::TokenEntry>{},
          {{".", true}, {"<movie_name>", true}},
          {{"<movie_name>", true}, {std::string(300, 'x'), false}},
          {{"<movie_name>", true}, {"a\x01b", false}},
          {{"<movie_name>", true}, {"_", false}, {"<frame_index>", true}}}) {
        replaceTemplate(*output, refused);
        EXPECT_FALSE(problem->isHidden());
        EXPECT_FALSE(problem->stringValue().empty());
        EXPECT_EQ(kestrane::Defaults[vistrel::BatchOutputMarkupsKey].strings(), stored);
    }
    replaceTemplate(*output,
                    {{"<movie_name>", true}, {std::string(200, 'x'), false}, {".", true}, {"<image_extension>", true}});
    EXPECT_TRUE(problem->isHidden());

    pane->restoreOutputName(nullptr);
    EXPECT_EQ(kestrane::Defaults[vistrel::BatchOutputMarkupsKey].strings(), orvalis::ImageNamer::DefaultMarkups());
    EXPECT_EQ(output->tokens(), orvalis::ImageNamer::DefaultMarkups());
    EXPECT_TRUE(problem->isHidden());
    kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = nullptr;
}

}  // namespace
