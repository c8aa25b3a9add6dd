// How the document window looks and where it goes: no control of its row covers another at the window's
// smallest size, only main windows carry the menu bar, windows opened together cascade, and the panels that open movies
// offer every movie type under named filters and start in the videos folder.
#include "tests/app/document_fixture.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "app/document/defaults_keys.h"
#include "app/document/drop_window_controller.h"
#include "app/document/movie_open_panel.h"
#include "app/document/movie_opening.h"
#include "foundation/shortcuts.h"
#include "platform/core/home_folder.h"
#include "platform/core/type_identifier.h"
#include "platform/ui/button.h"
#include "platform/ui/progress_indicator.h"
#include "platform/ui/save_panel.h"
#include "platform/ui/text_field.h"
#include "platform/ui/window.h"
#include "tests/support/temp_dir.h"

namespace documenttest {
namespace {

using DocumentWindowLooks = DocumentTest;

bool overlap(const gfx::Rect& a, const gfx::Rect& b)
{
    return a.minX() < b.maxX() && b.minX() < a.maxX() && a.minY() < b.maxY() && b.minY() < a.maxY();
}

struct Named {
    std::string name;
    std::shared_ptr<ui::View> view;
};

// No two of the controls shown together overlap, each lies inside the row, and texts fit their controls.
void expectApart(const std::vector<Named>& shown, const gfx::Rect& row)
{
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const gfx::Rect frame = shown[i].view->frame();
        EXPECT_TRUE(frame.minX() >= 0 && frame.maxX() <= row.width() && frame.minY() >= 0 &&
                    frame.maxY() <= row.height())
            << shown[i].name;
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(overlap(frame, shown[j].view->frame())) << shown[i].name << " and " << shown[j].name;
    }
}

void expectTextFits(const ui::Control& control, const std::string& what)
{
    EXPECT_LE(control.intrinsicContentSize().width, control.frame().width()) << what;
}

TEST_F(DocumentWindowLooks, NoControlOfTheRowCoversAnotherAtTheSmallestSize)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    auto window = document->outlets().mainWindow.lock();
    window->setContentSize(window->contentMinSize());
    ASSERT_EQ(window->contentSize().width, 640);
    const auto row = document->outlets().snapButton.lock()->superview();
    ASSERT_EQ(row->frame().width(), 640);

    // Selecting: the label, the snap, generator, export and share buttons.
    expectApart({{"snaps label", document->outlets().snapsField.lock()},
                 {"snap", document->outlets().snapButton.lock()},
                 {"generate", document->outlets().generatorButton.lock()},
                 {"export", document->outlets().exportButton.lock()},
                 {"share", document->outlets().shareButton.lock()}},
                row->bounds());
    // Busy: the spinner and the progress label take the snap button's place.
    expectApart({{"snaps label", document->outlets().snapsField.lock()},
                 {"spinner", document->outlets().progressIndicator.lock()},
                 {"progress", document->outlets().progressLabel.lock()},
                 {"generate", document->outlets().generatorButton.lock()}},
                row->bounds());

    document->outlets().snapsField.lock()->setStringValue("1,000 of 1,000 snaps");
    expectTextFits(*document->outlets().snapsField.lock(), "snaps label");
    document->outlets().progressLabel.lock()->setStringValue("Generating : 100 %");
    expectTextFits(*document->outlets().progressLabel.lock(), "progress label");
    for (const auto& [button, what] : {std::pair{document->outlets().generatorButton.lock(), "generate"},
                                       {document->outlets().exportButton.lock(), "export"},
                                       {document->outlets().shareButton.lock(), "share"}})
        expectTextFits(*button, what);

    // Wider again, the snap button stays in the middle.
    window->setContentSize({960, window->contentSize().height});
    EXPECT_DOUBLE_EQ(document->outlets().snapButton.lock()->frame().midX(), 480);
}

TEST_F(DocumentWindowLooks, OnlyTheDocumentAndDropWindowsCarryTheMenuBar)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    EXPECT_TRUE(document->outlets().mainWindow.lock()->showsMenuBar());
    EXPECT_FALSE(document->outlets().exportErrorsAlert.lock()->showsMenuBar());
    EXPECT_TRUE(vistrel::DropWindowController::sharedController()->window()->showsMenuBar());
}

TEST_F(DocumentWindowLooks, MoviesOpenedTogetherCascade)
{
    testsupport::TempDir folder("together");
    makeMovie(folder.path(), "a.mp4", 10);
    makeMovie(folder.path(), "b.mp4", 10);
    vistrel::openDocuments(*kestrane::DC.get(), {core::Url::fileURL(folder.path().string())});
    const auto& documents = kestrane::DC->documents();
    ASSERT_EQ(documents.size(), 2u);
    const auto first = std::dynamic_pointer_cast<vistrel::Document>(documents[0])->outlets().mainWindow.lock();
    const auto second = std::dynamic_pointer_cast<vistrel::Document>(documents[1])->outlets().mainWindow.lock();
    ASSERT_TRUE(first && second && first->isVisible() && second->isVisible());
    // Right of and below the first, by a step that leaves the first one's title bar in view.
    EXPECT_GE(second->frame().minX() - first->frame().minX(), 20);
    EXPECT_GE(first->frame().maxY() - second->frame().maxY(), 20);
}

std::set<std::string> desktopMimeTypes()
{
    std::ifstream entry(std::string(VISTREL_SOURCE_DIR) + "/resources/desktop/net.vistrel.Vistrel.desktop");
    std::string line;
    std::set<std::string> types;
    while (std::getline(entry, line)) {
        if (line.rfind("MimeType=", 0) != 0) continue;
        std::istringstream list(line.substr(9));
        for (std::string type; std::getline(list, type, ';');)
            if (!type.empty()) types.insert(type);
    }
    return types;
}

TEST_F(DocumentWindowLooks, MovieOpenPanelsOfferEveryMovieTypeUnderNamedFilters)
{
    auto panel = core::make<ui::OpenPanel>();
    vistrel::prepareMovieOpenPanel(*panel);
    const auto& types = panel->allowedFileTypes();
    for (const char* extension :
         {"mp4", "mov", "m4v", "mkv", "webm", "avi", "ts", "m2ts", "mpg", "3gp", "ogv", "wmv", "flv", "dv"})
        EXPECT_NE(std::find(types.begin(), types.end(), extension), types.end()) << extension;
    EXPECT_EQ(panel->allowedFileTypesTitle(), "Movies");
    EXPECT_TRUE(panel->allowsOtherFileTypes());
    EXPECT_EQ(panel->otherFileTypesTitle(), "All files");
    ASSERT_TRUE(panel->directoryURL());
    EXPECT_EQ(panel->directoryURL()->path(), core::moviesDirectory());
    EXPECT_EQ(panel->directoryDefaultsKey(), vistrel::LastOpenFolderKey);

    // The same list as the desktop entry's (types compared by their MIME names, aliases resolved): every type
    // it announces has an extension offered, and every extension offered is of a type it announces, but for
    // the program's own names ("video/x-" and the extension) where the MIME database has none for a movie.
    const auto announced = desktopMimeTypes();
    ASSERT_FALSE(announced.empty());
    std::set<std::string> announcedNames;
    for (const auto& type : announced) {
        // Names newer MIME databases know (video/vnd.avi, video/x-dv) may be unknown here.
        const auto declared = core::TypeIdentifier::declaration(type);
        if (!declared || declared->extensions.empty()) continue;
        announcedNames.insert(declared->identifier);
        const auto& suffixes = declared->extensions;
        EXPECT_TRUE(std::any_of(suffixes.begin(), suffixes.end(), [&](const std::string& suffix) {
            return std::find(types.begin(), types.end(), suffix) != types.end();
        })) << type;
    }
    for (const auto& extension : types) {
        const auto type = core::TypeIdentifier::forExtension(extension);
        ASSERT_TRUE(type) << extension;
        if (*type == "video/x-" + extension) continue;  // the program's own name, under its database's
        EXPECT_TRUE(announcedNames.count(*type)) << extension << " is " << *type;
    }
}

}  // namespace
}  // namespace documenttest
