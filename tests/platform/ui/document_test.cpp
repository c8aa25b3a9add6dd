// Documents open from files of registered types with their windows, follow their window controller in the
// responder chain, and come back with their state from the kept session; unreadable files are skipped.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "platform/core/error.h"
#include "platform/core/keyed_archiver.h"
#include "platform/core/keyed_unarchiver.h"
#include "platform/core/user_notices.h"
#include "platform/ui/application.h"
#include "platform/ui/document_controller.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/window.h"
#include "platform/ui/window_controller.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/full_folder.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr ui::ActionName exportSnaps{"exportSnaps:"};

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
    void restoreState(core::KeyedUnarchiver& unarchiver) override
    {
        note = unarchiver.decodeString("note").value_or("");
        if (auto decoded = unarchiver.decodeEach<Item>("items")) {
            for (auto& item : *decoded) {
                if (item)
                    ++items;
                else
                    countUnreadableRestoredItems(1);
            }
        }
    }
    // What a document keeps in its list, as snaps are.
    class Item : public core::Coding {
    public:
        std::string className() const override { return "NoteItem"; }
        void encode(core::KeyedArchiver&) const override {}
    };
    int items = 0;
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
        for (auto& document : std::vector(controller->documents()))
            document->close();
    }
    core::Url file(const std::string& name)
    {
        const auto url = core::Url::fileURL((folder.path() / name).string());
        EXPECT_TRUE(core::writeAtomically(core::dataFromString("text"), url));
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
    document->registerAction(exportSnaps, [](const std::shared_ptr<core::Object>&) {});
    EXPECT_EQ(ui::Application::shared()->targetForAction(exportSnaps), document);

    EXPECT_THROW(documents.controller->typeForContentsOf(core::Url::fileURL("/tmp/x.txt")), core::Error);
    EXPECT_THROW(documents.controller->openDocumentWithContentsOf(
                     core::Url::fileURL((documents.folder.path() / "gone.note").string()), true),
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

    EXPECT_TRUE(core::writeAtomically(core::dataFromString("not an archive"), documents.controller->sessionURL()));
    EXPECT_EQ(documents.controller->restoreSession(), 0);
}

}  // namespace

namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string contentsOf(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Stands for an archived object of any class name, holding what it is given.
class Fake : public core::Coding {
public:
    Fake(std::string name, std::function<void(core::KeyedArchiver&)> fields)
        : name_(std::move(name)), fields_(std::move(fields))
    {
    }
    std::string className() const override { return name_; }
    void encode(core::KeyedArchiver& archiver) const override { fields_(archiver); }

private:
    std::string name_;
    std::function<void(core::KeyedArchiver&)> fields_;
};

std::shared_ptr<Fake> entry(const core::Url& url, std::vector<std::shared_ptr<const core::Coding>> items)
{
    return std::make_shared<Fake>("ui.SessionDocument", [url, items](core::KeyedArchiver& archiver) {
        archiver.encodeString("url", url.absoluteString());
        archiver.encodeString("type", "Note");
        archiver.encodeArray("items", items);
    });
}

std::shared_ptr<Fake> session(std::vector<std::shared_ptr<const core::Coding>> entries)
{
    return std::make_shared<Fake>(
        "ui.Session", [entries](core::KeyedArchiver& archiver) { archiver.encodeArray("documents", entries); });
}

}  // namespace

TEST(DocumentController, AnUnreadableSessionIsKeptAsideTheUserToldAndNothingOpened)
{
    Documents documents;
    auto note = std::dynamic_pointer_cast<NoteDocument>(
        documents.controller->openDocumentWithContentsOf(documents.file("kept.note"), true));
    note->note = "three snaps";
    ASSERT_TRUE(documents.controller->saveSession());
    note->close();
    const fs::path path = documents.controller->sessionURL().path();
    const std::string whole = contentsOf(path);
    ASSERT_GT(whole.size(), 40u);
    const fs::path folder = path.parent_path();

    std::string random(5000, '\0');
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = char((i * 2654435761u) >> 11);
    std::string otherVersion = whole;
    // The archive's own version comes last, after the archives of the documents' states.
    const auto version = otherVersion.rfind("$version");
    ASSERT_NE(version, std::string::npos);
    otherVersion[version + 8] = char(0x02);  // the integer that follows the key
    const std::vector<std::pair<std::string, std::string>> damaged = {{"empty", ""},
                                                                      {"truncated", whole.substr(0, whole.size() - 7)},
                                                                      {"cut at the start", whole.substr(0, 11)},
                                                                      {"random bytes", random},
                                                                      {"another version", otherVersion},
                                                                      {"a byte flipped in the archive's layout", [&] {
                                                                           std::string bytes = whole;
                                                                           bytes[whole.find("$class")] ^= 0x40;
                                                                           return bytes;
                                                                       }()}};
    // `keptBytes`: what the file kept aside holds, when it is a file of a size worth comparing.
    auto check = [&](const std::string& what, const std::function<void()>& make,
                     const std::optional<std::string>& keptBytes) {
        SCOPED_TRACE(what);
        for (const auto& name : namesIn(folder))
            if (name.rfind("Session.cbor", 0) == 0) fs::remove(folder / name);
        make();
        core::UserNotices::takePending();
        EXPECT_EQ(documents.controller->restoreSession(), 0);
        EXPECT_TRUE(documents.controller->documents().empty());
        const auto notices = core::UserNotices::takePending();
        ASSERT_EQ(notices.size(), 1u);
        std::string keptName;
        for (const auto& name : namesIn(folder))
            if (name.rfind("Session.cbor.unreadable-", 0) == 0) keptName = name;
        ASSERT_FALSE(keptName.empty());
        EXPECT_NE(notices[0].information.find(keptName), std::string::npos) << notices[0].information;
        // Nothing is left under the name (a save must never write through a link to a device).
        ASSERT_FALSE(fs::exists(fs::symlink_status(path)));
        if (keptBytes) {
            EXPECT_EQ(contentsOf(folder / keptName), *keptBytes);
        }
        // The next save writes a session of its own beside the one kept.
        EXPECT_TRUE(documents.controller->saveSession());
        EXPECT_TRUE(fs::exists(folder / keptName));
        EXPECT_TRUE(fs::is_regular_file(path));
    };
    for (const auto& [what, bytes] : damaged)
        check(
            what, [&, bytes = bytes] { std::ofstream(path, std::ios::binary) << bytes; }, bytes);
    check(
        "linked to /dev/zero", [&] { fs::create_symlink("/dev/zero", path); }, std::nullopt);
    for (const auto& name : namesIn(folder))
        if (name.rfind("Session.cbor.unreadable-", 0) == 0) {
            EXPECT_EQ(fs::read_symlink(folder / name), "/dev/zero");
        }
    check(
        "a FIFO", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, std::nullopt);
    check(
        "a folder", [&] { fs::create_directory(path); }, std::nullopt);
    check(
        "too big to be ours",
        [&] {
            std::ofstream(path, std::ios::binary) << whole;
            fs::resize_file(path, ui::DocumentController::largestSession + 1);
        },
        std::nullopt);

    // A session that reads is not touched.
    std::ofstream(path, std::ios::binary) << whole;
    core::UserNotices::takePending();
    EXPECT_EQ(documents.controller->restoreSession(), 1);
    EXPECT_TRUE(core::UserNotices::takePending().empty());
    EXPECT_EQ(std::dynamic_pointer_cast<NoteDocument>(documents.controller->documents().front())->note, "three snaps");
}

TEST(DocumentController, AnUnreadableSessionThatCannotBeMovedIsNeverSavedOver)
{
    Documents documents;
    // A name as long as a name may be, but for the room a kept-aside name needs: the rename cannot be made.
    const fs::path path = documents.folder / (std::string(235, 's') + ".cbor");
    documents.controller->setSessionURL(core::Url::fileURL(path.string()));
    const std::string damaged = "no session in here";
    std::ofstream(path, std::ios::binary) << damaged;
    core::UserNotices::takePending();
    EXPECT_EQ(documents.controller->restoreSession(), 0);
    const auto notices = core::UserNotices::takePending();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].information.find("no session is saved over it"), std::string::npos) << notices[0].information;
    EXPECT_NE(notices[0].information.find("File name too long"), std::string::npos) << notices[0].information;

    // Neither a save while running nor the one at quit writes over it, and each says why.
    documents.controller->openDocumentWithContentsOf(documents.file("kept.note"), true);
    EXPECT_FALSE(documents.controller->saveSession());
    const auto atQuit = documents.controller->saveSessionAtQuit();
    ASSERT_TRUE(atQuit);
    EXPECT_NE(atQuit->information.find("could not be moved out of its way"), std::string::npos) << atQuit->information;
    EXPECT_EQ(contentsOf(path), damaged);
    EXPECT_EQ(namesIn(documents.folder.path()), (std::vector<std::string>{"kept.note", path.filename().string()}));

    // Another session file is saved to again.
    documents.controller->setSessionURL(core::Url::fileURL((documents.folder / "Session.cbor").string()));
    EXPECT_TRUE(documents.controller->saveSession());
}

TEST(DocumentController, ObjectsInADocumentsListAreNeverDecodedAsASession)
{
    Documents documents;
    core::CodingRegistry::add<NoteDocument::Item>(
        "NoteItem", [](core::KeyedUnarchiver&) { return std::make_shared<NoteDocument::Item>(); });
    const auto first = documents.file("first.note");
    const auto other = documents.file("other.note");
    // The first note's list holds two items, a session that names the other note, and an entry of it.
    auto item = std::make_shared<Fake>("NoteItem", [](core::KeyedArchiver&) {});
    const auto archive = core::KeyedArchiver::archivedData(
        session({entry(first, {item, session({entry(other, {})}), entry(other, {}), item})}));
    EXPECT_TRUE(core::writeAtomically(archive, documents.controller->sessionURL()));

    EXPECT_EQ(documents.controller->restoreSession(), 1);
    ASSERT_EQ(documents.controller->documents().size(), 1u);
    auto note = std::dynamic_pointer_cast<NoteDocument>(documents.controller->documents().front());
    EXPECT_EQ(note->fileURL()->lastPathComponent(), "first.note");
    EXPECT_EQ(note->items, 2);
}

TEST(DocumentController, ASessionThatCannotBeSavedIsToldOnceAndTriedAgain)
{
    Documents documents;
    documents.controller->openDocumentWithContentsOf(documents.file("kept.note"), true);
    core::UserNotices::takePending();

    // Where a file stands in place of the session's folder.
    std::ofstream(documents.folder / "blocked") << "x";
    documents.controller->setSessionURL(core::Url::fileURL((documents.folder / "blocked" / "Session.cbor").string()));
    EXPECT_FALSE(documents.controller->saveSession());
    EXPECT_FALSE(documents.controller->saveSession());
    auto notices = core::UserNotices::takePending();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].information.find("Not a directory"), std::string::npos) << notices[0].information;

    // On a full disk, with the system's reason; and once more after a save that worked.
    testsupport::FullFolder full;
    if (!full.mounted()) GTEST_SKIP() << "no right to mount a small file system here";
    documents.controller->setSessionURL(core::Url::fileURL((full.path() / "Session.cbor").string()));
    EXPECT_FALSE(documents.controller->saveSession());
    EXPECT_TRUE(core::UserNotices::takePending().empty()) << "still the same failure";
    full.empty();
    EXPECT_TRUE(documents.controller->saveSession());
    full.fill();
    documents.controller->openDocumentWithContentsOf(documents.file(std::string(200, 'n') + ".note"), true);
    EXPECT_FALSE(documents.controller->saveSession());
    notices = core::UserNotices::takePending();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].information.find("No space left on device"), std::string::npos) << notices[0].information;
}

TEST(DocumentController, ASessionThatCannotBeSavedAtQuitIsToldBeforeTheProgramEnds)
{
    Documents documents;
    documents.controller->openDocumentWithContentsOf(documents.file("kept.note"), true);
    std::ofstream(documents.folder / "blocked") << "x";
    documents.controller->setSessionURL(core::Url::fileURL((documents.folder / "blocked" / "Session.cbor").string()));
    // Told once already while running: the quit tells again, as the last changes are lost with it.
    EXPECT_FALSE(documents.controller->saveSession());
    core::UserNotices::takePending();
    std::string told;
    QTimer::singleShot(0, [&] {
        testsupport::runUntil([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; });
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told = (box->text() + " " + box->informativeText()).toStdString();
            box->accept();
        }
    });
    ui::Application::shared()->terminate();
    EXPECT_NE(told.find("could not be saved for the next start"), std::string::npos) << told;
    EXPECT_NE(told.find("Not a directory"), std::string::npos) << told;
    EXPECT_EQ(told.find("tries again"), std::string::npos) << told;
}

TEST(DocumentController, TemporaryFilesOfAKilledSaveGoAtTheNextStart)
{
    Documents documents;
    const fs::path folder = fs::path(documents.controller->sessionURL().path()).parent_path();
    const fs::path leftover = folder / ".Session.cbor.k1LLed.part";
    std::ofstream(leftover) << "half";
    const fs::file_time_type old = fs::last_write_time(leftover) - std::chrono::hours(1);
    fs::last_write_time(leftover, old);
    const fs::path others = folder / ".Session.cbor.part";
    std::ofstream(others) << "not ours";
    fs::last_write_time(others, old);
    documents.controller->restoreSession();
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_TRUE(fs::exists(others));
}

TEST(DocumentController, ASessionWithEntriesThatCannotBeReadBackIsCopiedAsideBeforeAnySaveAndTheUserTold)
{
    Documents documents;
    core::CodingRegistry::add<NoteDocument::Item>(
        "NoteItem", [](core::KeyedUnarchiver&) { return std::make_shared<NoteDocument::Item>(); });
    const auto first = documents.file("first.note");
    auto item = std::make_shared<Fake>("NoteItem", [](core::KeyedArchiver&) {});
    // One item of another (damaged) class, an entry of a device, and an entry whose class name is damaged.
    auto damagedItem = std::make_shared<Fake>("NoteIteM", [](core::KeyedArchiver&) {});
    auto damagedEntry = std::make_shared<Fake>("ui.SessionDocumenT", [&](core::KeyedArchiver& archiver) {
        archiver.encodeString("url", first.absoluteString());
        archiver.encodeString("type", "Note");
    });
    const auto archive = core::KeyedArchiver::archivedData(
        session({entry(first, {item, damagedItem, item}), entry(core::Url::fileURL("/dev/null"), {}), damagedEntry}));
    const fs::path path = documents.controller->sessionURL().path();
    ASSERT_TRUE(core::writeAtomically(archive, path.string()));
    core::UserNotices::takePending();

    EXPECT_EQ(documents.controller->restoreSession(), 1);
    ASSERT_EQ(documents.controller->documents().size(), 1u);
    EXPECT_EQ(std::dynamic_pointer_cast<NoteDocument>(documents.controller->documents().front())->items, 2);
    const auto notices = core::UserNotices::takePending();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].message, "1 snap and 2 movies of the last session could not be read back.");
    std::string keptName;
    for (const auto& name : namesIn(path.parent_path()))
        if (name.rfind("Session.cbor.unreadable-", 0) == 0) keptName = name;
    ASSERT_FALSE(keptName.empty());
    EXPECT_NE(notices[0].information.find(keptName), std::string::npos) << notices[0].information;
    const std::string original(archive.begin(), archive.end());
    EXPECT_EQ(contentsOf(path.parent_path() / keptName), original);
    EXPECT_EQ(contentsOf(path), original) << "the session stays until it is saved";

    // Saved without what was lost; the copy stays, and a session that reads whole tells nothing.
    ASSERT_TRUE(documents.controller->saveSession());
    EXPECT_EQ(contentsOf(path.parent_path() / keptName), original);
    for (auto& document : std::vector(documents.controller->documents()))
        document->close();
    EXPECT_EQ(documents.controller->restoreSession(), 1);
    EXPECT_TRUE(core::UserNotices::takePending().empty());
}

namespace {

// The notes of the session file's documents, in its order, as a launch would reopen them.
std::vector<std::string> notesInSession(Documents& documents)
{
    for (auto& document : std::vector(documents.controller->documents()))
        document->close();
    documents.controller->restoreSession();
    std::vector<std::string> notes;
    for (auto& document : documents.controller->documents())
        notes.push_back(std::dynamic_pointer_cast<NoteDocument>(document)->note);
    for (auto& document : std::vector(documents.controller->documents()))
        document->close();
    return notes;
}

}  // namespace

TEST(DocumentController, ProgramsSavingIntoOneSessionKeepEachOthersDocuments)
{
    Documents documents;
    // Another program (on another display) keeps its documents in the same file.
    auto other = core::make<ui::DocumentController>();
    other->registerDocumentType("Note", {"NOTE"}, [] { return core::make<NoteDocument>(); });
    other->setSessionURL(documents.controller->sessionURL());
    auto theirs =
        std::dynamic_pointer_cast<NoteDocument>(other->openDocumentWithContentsOf(documents.file("theirs.note"), true));
    auto theirsTwice =
        std::dynamic_pointer_cast<NoteDocument>(other->openDocumentWithContentsOf(documents.file("theirs.note"), true));
    theirs->note = "theirs";
    theirsTwice->note = "theirs again";
    ASSERT_TRUE(other->saveSession());

    auto ours = std::dynamic_pointer_cast<NoteDocument>(
        documents.controller->openDocumentWithContentsOf(documents.file("ours.note"), true));
    auto closed = std::dynamic_pointer_cast<NoteDocument>(
        documents.controller->openDocumentWithContentsOf(documents.file("closed.note"), true));
    ours->note = "ours";
    closed->note = "closed";
    ASSERT_TRUE(documents.controller->saveSession());
    // The other program changes its documents after our save, and saves without knowing ours.
    theirs->note = "theirs, later";
    ASSERT_TRUE(other->saveSession());
    closed->close();
    ours->note = "ours, later";
    ASSERT_TRUE(documents.controller->saveSession());
    const auto session = contentsOf(documents.controller->sessionURL().path());

    // Ours in their places, theirs as they last wrote them; the document we closed is gone.
    EXPECT_EQ(notesInSession(documents), (std::vector<std::string>{"theirs, later", "theirs again", "ours, later"}));
    // What this program reopened at launch is its own: closing one and saving leaves it out.
    std::ofstream(documents.controller->sessionURL().path(), std::ios::binary) << session;
    EXPECT_EQ(documents.controller->restoreSession(), 3);
    documents.controller->documents().front()->close();
    ASSERT_TRUE(documents.controller->saveSession());
    EXPECT_EQ(notesInSession(documents), (std::vector<std::string>{"theirs again", "ours, later"}));

    // A session file that another program left unreadable is kept aside, never written over.
    std::ofstream(documents.controller->sessionURL().path(), std::ios::binary) << "not a session";
    core::UserNotices::takePending();
    ASSERT_TRUE(documents.controller->saveSession());
    EXPECT_EQ(core::UserNotices::takePending().size(), 1u);
    const fs::path folder = fs::path(documents.controller->sessionURL().path()).parent_path();
    std::string kept;
    for (const auto& name : namesIn(folder))
        if (name.rfind("Session.cbor.unreadable-", 0) == 0) kept = contentsOf(folder / name);
    EXPECT_EQ(kept, "not a session");
    theirs->close();
    theirsTwice->close();
}

TEST(DocumentController, ASessionOfEntriesWithoutIdentifiersIsSavedOnceOver)
{
    Documents documents;
    const auto archive = core::KeyedArchiver::archivedData(
        session({entry(documents.file("first.note"), {}), entry(documents.file("second.note"), {})}));
    EXPECT_TRUE(core::writeAtomically(archive, documents.controller->sessionURL()));
    EXPECT_EQ(documents.controller->restoreSession(), 2);
    std::dynamic_pointer_cast<NoteDocument>(documents.controller->documents().back())->note = "second";
    ASSERT_TRUE(documents.controller->saveSession());
    EXPECT_EQ(notesInSession(documents), (std::vector<std::string>{"", "second"}));
}
