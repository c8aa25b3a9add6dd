// Documents open from files of registered types with their windows, follow their window controller in the
// responder chain, and come back with their state from the kept session; unreadable files are skipped.
#include <gtest/gtest.h>

#include "platform/core/error.h"
#include "platform/core/keyed_archiver.h"
#include "platform/core/keyed_unarchiver.h"
#include "platform/ui/application.h"
#include "platform/ui/document_controller.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/window.h"
#include "platform/ui/window_controller.h"
#include "tests/support/temp_dir.h"

namespace {

class NoteDocument : public ui::Document {
public:
    std::string note;
    int loaded = 0;
    void read(const core::Url& url, const std::string&) override
    {
        if (!core::readData(url.path())) throw core::Error("NSCocoaErrorDomain", 260, "missing");
    }
    std::string windowNibName() const override { return "NoteDocument"; }
    void windowControllerDidLoadNib(ui::WindowController&) override { ++loaded; }
    void encodeRestorableState(core::KeyedArchiver& archiver) const override { archiver.encodeString("note", note); }
    void restoreState(core::KeyedUnarchiver& unarchiver) override { note = unarchiver.decodeString("note").value_or(""); }
};

struct Documents {
    testsupport::TempDir folder{"documents"};
    std::shared_ptr<ui::DocumentController> controller = ui::DocumentController::shared();

    Documents()
    {
        static bool registered = false;
        if (!registered) {
            registered = true;
            controller->registerDocumentType("Note", {"NOTE"}, [] { return core::make<NoteDocument>(); });
            ui::InterfaceRegistry::add("NoteDocument", [](const std::shared_ptr<core::Object>& owner) {
                auto document = std::dynamic_pointer_cast<NoteDocument>(owner);
                document->windowControllers().front()->setWindow(
                    ui::Window::create({0, 0, 200, 100}, ui::StyleMask::titled));
            });
        }
        controller->setSessionURL(core::Url::fileURL((folder.path() / "Session.cbor").string()));
    }
    ~Documents()
    {
        for (auto& document : std::vector(controller->documents())) document->close();
    }
    core::Url file(const std::string& name)
    {
        const auto url = core::Url::fileURL((folder.path() / name).string());
        core::writeAtomically(core::dataFromString("text"), url);
        return url;
    }
};

TEST(DocumentController, OpensFilesOfItsTypesWithTheirWindows)
{
    Documents documents;
    auto document = std::dynamic_pointer_cast<NoteDocument>(
        documents.controller->openDocumentWithContentsOf(documents.file("first.note"), true));
    ASSERT_TRUE(document);
    EXPECT_EQ(documents.controller->documents().size(), 1u);
    EXPECT_EQ(document->displayName(), "first.note");
    ASSERT_EQ(document->windowControllers().size(), 1u);
    auto window = document->windowControllers().front()->window();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(document->loaded, 1);

    // The document answers actions after its window controller.
    document->registerAction("exportSnaps:", [](const std::shared_ptr<core::Object>&) {});
    EXPECT_EQ(ui::Application::shared()->targetForAction("exportSnaps:"), document);

    EXPECT_THROW(documents.controller->typeForContentsOf(core::Url::fileURL("/tmp/x.txt")), core::Error);
    EXPECT_THROW(documents.controller->openDocumentWithContentsOf(core::Url::fileURL((documents.folder.path() / "gone.note").string()), true),
                 core::Error);
    EXPECT_EQ(documents.controller->documents().size(), 1u);

    document->close();
    EXPECT_TRUE(documents.controller->documents().empty());
    EXPECT_FALSE(window->isVisible());

    // Closing the last window of a document closes the document.
    auto second = documents.controller->openDocumentWithContentsOf(documents.file("second.note"), true);
    auto secondWindow = second->windowControllers().front()->window();
    secondWindow->performClose(nullptr);
    EXPECT_TRUE(documents.controller->documents().empty());
    EXPECT_TRUE(second->windowControllers().empty());
    EXPECT_FALSE(secondWindow->isVisible());
}

TEST(DocumentController, ReopensTheKeptSessionSkippingUnreadableFiles)
{
    Documents documents;
    auto kept = std::dynamic_pointer_cast<NoteDocument>(
        documents.controller->openDocumentWithContentsOf(documents.file("kept.note"), true));
    auto lost = documents.controller->openDocumentWithContentsOf(documents.file("lost.note"), true);
    kept->note = "three snaps";
    ASSERT_TRUE(documents.controller->saveSession());
    kept->close();
    lost->close();
    std::remove((documents.folder.path() / "lost.note").c_str());

    EXPECT_EQ(documents.controller->restoreSession(), 1);
    ASSERT_EQ(documents.controller->documents().size(), 1u);
    auto back = std::dynamic_pointer_cast<NoteDocument>(documents.controller->documents().front());
    EXPECT_EQ(back->note, "three snaps");
    EXPECT_EQ(back->fileURL()->lastPathComponent(), "kept.note");

    core::writeAtomically(core::dataFromString("not an archive"), documents.controller->sessionURL());
    EXPECT_EQ(documents.controller->restoreSession(), 0);
}

}  // namespace
