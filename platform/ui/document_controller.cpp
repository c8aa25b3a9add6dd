#include "platform/ui/document_controller.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <set>
#include <system_error>

#include "platform/core/bundle.h"
#include "platform/core/coding.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/error.h"
#include "platform/core/file_lock.h"
#include "platform/core/file_manager.h"
#include "platform/core/kept_aside.h"
#include "platform/core/keyed_archiver.h"
#include "platform/core/keyed_unarchiver.h"
#include "platform/core/main_thread.h"
#include "platform/core/unpublished_file.h"
#include "platform/core/user_notices.h"
#include "platform/ui/alert.h"
#include "platform/ui/application.h"
#include "platform/ui/save_panel.h"
#include "platform/ui/window.h"

namespace ui {

namespace {

const char* const entryClass = "ui.SessionDocument";
const char* const sessionClass = "ui.Session";
const char* const keptStateClass = "ui.KeptState";

// The restorable state of a document as an archive of its own: written into its session entry (so that an
// entry can be carried over unread), and handed from a document kept for a missing file to one of that file
// opened since. Decoding restores the receiver.
class KeptState : public core::Coding {
public:
    explicit KeptState(const Document* document) : document_(document) {}
    std::string className() const override { return keptStateClass; }
    void encode(core::KeyedArchiver& archiver) const override { document_->encodeRestorableState(archiver); }
    static core::Data of(const Document& document)
    {
        return core::KeyedArchiver::archivedData(std::make_shared<KeptState>(&document));
    }
    static void restore(Document& document, const core::Data& state)
    {
        receiver() = document.sharedAs<Document>();
        core::KeyedUnarchiver::unarchiveObject(state);
        receiver().reset();
    }
    static std::shared_ptr<Document>& receiver()
    {
        static std::shared_ptr<Document> document;
        return document;
    }

private:
    const Document* document_;
};

// One document in the session archive: its file, its type, its identifier and its restorable state.
struct SessionEntry {
    std::string url;
    std::string type;
    std::string identifier;
    core::Data state;
};

SessionEntry entryOf(const Document& document)
{
    return {document.fileURL() ? document.fileURL()->absoluteString() : "", document.fileType(),
            document.sessionIdentifier(), KeptState::of(document)};
}

class SessionDocument : public core::Coding {
public:
    explicit SessionDocument(SessionEntry entry) : entry_(std::move(entry)) {}
    std::string className() const override { return entryClass; }
    void encode(core::KeyedArchiver& archiver) const override
    {
        archiver.encodeString("url", entry_.url);
        archiver.encodeString("type", entry_.type);
        archiver.encodeString("identifier", entry_.identifier);
        archiver.encodeData("state", entry_.state);
    }
    const SessionEntry& entry() const { return entry_; }

private:
    SessionEntry entry_;
};

class Session : public core::Coding {
public:
    explicit Session(std::vector<std::shared_ptr<SessionDocument>> entries) : entries_(std::move(entries)) {}
    std::string className() const override { return sessionClass; }
    void encode(core::KeyedArchiver& archiver) const override { archiver.encodeArray("documents", entries_); }
    const std::vector<std::shared_ptr<SessionDocument>>& entries() const { return entries_; }

private:
    std::vector<std::shared_ptr<SessionDocument>> entries_;
};

// What decoding an entry does: reopen its document (at launch), or read it to be carried over (when a save
// merges with the session another program may have written since).
enum class EntryReading { reopening, carrying };

EntryReading& entryReading()
{
    static EntryReading reading = EntryReading::reopening;
    return reading;
}

std::string reasonOf(int error) { return std::system_category().message(error); }

// What the restore under way could not read back: entries of the session and items of their documents' states.
struct RestoreLosses {
    int documents = 0;
    int items = 0;
};

RestoreLosses& restoreLosses()
{
    static RestoreLosses losses;
    return losses;
}

std::string counted(int count, const std::string& noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// "2 snaps and 1 movie", leaving out what is 0.
std::string lossesText(const RestoreLosses& losses)
{
    std::string text;
    if (losses.items > 0) text = counted(losses.items, "snap");
    if (losses.documents > 0) text += (text.empty() ? "" : " and ") + counted(losses.documents, "movie");
    return text;
}

std::string lowercase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// Gives the document its kept state: the entry's own archive, or the fields of an entry written before
// states were archived on their own.
void restoreEntryState(Document& document, core::KeyedUnarchiver& unarchiver, const std::optional<core::Data>& state)
{
    if (state)
        KeptState::restore(document, *state);
    else
        document.restoreState(unarchiver);
}

// Reopens the entry's document (shown, then given its state); null when its file cannot be read. The entry
// given back only counts the reopened documents.
SessionDocument* reopenEntry(core::KeyedUnarchiver& unarchiver)
{
    const auto text = unarchiver.decodeString("url");
    const auto type = unarchiver.decodeString("type");
    const auto identifier = unarchiver.decodeString("identifier");
    const auto state = unarchiver.decodeData("state");
    const auto url = text ? core::Url::fromString(*text) : std::nullopt;
    if (!url || !type) return nullptr;
    const auto controller = DocumentController::shared();
    try {
        // A file that has gone since is not reopened, whatever its document would make of its absence;
        // its entry is kept as it was, to come back with the file.
        const bool missing = url->isFileURL() && !core::FileManager::defaultManager()->fileExists(url->path());
        auto document =
            missing ? controller->makeDocument(*url, *type) : controller->openDocumentWithContentsOf(*url, true);
        if (identifier) document->setSessionIdentifier(*identifier);
        restoreEntryState(*document, unarchiver, state);
        restoreLosses().items += document->unreadableRestoredItems();
        if (missing) {
            controller->keepMissingDocument(document);
            return nullptr;
        }
        return new SessionDocument({*text, *type, document->sessionIdentifier(), {}});
    } catch (const core::Error&) {
        return nullptr;
    }
}

// The entry as it was written; null for one without an identifier (written before entries had them, so
// held by the program that reopened it) or without its state.
SessionDocument* carryEntry(core::KeyedUnarchiver& unarchiver)
{
    const auto url = unarchiver.decodeString("url");
    const auto type = unarchiver.decodeString("type");
    const auto identifier = unarchiver.decodeString("identifier");
    const auto state = unarchiver.decodeData("state");
    if (!url || !type || !identifier || !state) return nullptr;
    return new SessionDocument({*url, *type, *identifier, *state});
}

void registerSessionClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    core::CodingRegistry::add<SessionDocument>(entryClass, [](core::KeyedUnarchiver& unarchiver) {
        return entryReading() == EntryReading::carrying ? carryEntry(unarchiver) : reopenEntry(unarchiver);
    });
    core::CodingRegistry::add<KeptState>(keptStateClass, [](core::KeyedUnarchiver& unarchiver) {
        if (KeptState::receiver()) KeptState::receiver()->restoreState(unarchiver);
        return new KeptState(nullptr);
    });
    core::CodingRegistry::add<Session>(sessionClass, [](core::KeyedUnarchiver& unarchiver) -> Session* {
        const std::size_t missingBefore = DocumentController::shared()->missingDocuments().size();
        const auto decoded = unarchiver.decodeEach<SessionDocument>("documents");
        // Without its list the session is not one of ours.
        if (!decoded) return nullptr;
        // Entries of missing files are kept aside by the controller; the other null ones could not be read
        // back (damaged, or their files can no longer make a document) and are left out.
        std::vector<std::shared_ptr<SessionDocument>> entries;
        for (auto& entry : *decoded)
            if (entry) entries.push_back(entry);
        const std::size_t missing = DocumentController::shared()->missingDocuments().size() - missingBefore;
        // Only the pass that reopens counts: the one that carries entries over reads them again.
        if (entryReading() != EntryReading::carrying)
            restoreLosses().documents += int(decoded->size() - entries.size() - missing);
        return new Session(std::move(entries));
    });
}

// The entries to write: those of `written` that this program does not hold (another program's) where they
// are, this program's own in the places they had, then its new ones; an entry it held and closed goes.
std::vector<std::shared_ptr<SessionDocument>> merged(const std::vector<std::shared_ptr<SessionDocument>>& own,
                                                     const Session& written, const std::set<std::string>& held)
{
    std::vector<std::shared_ptr<SessionDocument>> entries;
    std::set<std::string> placed;
    const auto ownEntry = [&](const std::string& identifier) {
        return std::find_if(own.begin(), own.end(),
                            [&](auto& entry) { return entry->entry().identifier == identifier; });
    };
    for (auto& entry : written.entries()) {
        const auto& identifier = entry->entry().identifier;
        if (!held.count(identifier))
            entries.push_back(entry);
        else if (const auto ours = ownEntry(identifier); ours != own.end() && placed.insert(identifier).second)
            entries.push_back(*ours);
    }
    for (auto& entry : own)
        if (placed.insert(entry->entry().identifier).second) entries.push_back(entry);
    return entries;
}

// The session's entries as they are written in `data`, to be carried over; null when it is no session.
std::shared_ptr<Session> carriedSession(const core::Data& data)
{
    entryReading() = EntryReading::carrying;
    auto session = core::KeyedUnarchiver::unarchiveObject<Session>(data);
    entryReading() = EntryReading::reopening;
    return session;
}

std::shared_ptr<DocumentController>& sharedSlot()
{
    static std::shared_ptr<DocumentController> controller;
    return controller;
}

}  // namespace

std::shared_ptr<DocumentController> DocumentController::shared()
{
    core::assertMainThread();
    auto& controller = sharedSlot();
    if (!controller) controller = core::make<DocumentController>();
    return controller;
}

std::shared_ptr<DocumentController> DocumentController::sharedIfMade() { return sharedSlot(); }

void DocumentController::registerDocumentType(const std::string& type, const std::vector<std::string>& extensions,
                                              Factory factory, ContentTest contentTest)
{
    std::vector<std::string> lower;
    for (auto& extension : extensions)
        lower.push_back(lowercase(extension));
    types_.push_back({type, lower, std::move(factory), std::move(contentTest)});
}

std::vector<std::string> DocumentController::registeredExtensions() const
{
    std::vector<std::string> all;
    for (auto& type : types_)
        all.insert(all.end(), type.extensions.begin(), type.extensions.end());
    return all;
}

void DocumentController::addDocument(const std::shared_ptr<Document>& document)
{
    core::assertMainThread();
    if (document && std::find(documents_.begin(), documents_.end(), document) == documents_.end())
        documents_.push_back(document);
}

void DocumentController::removeDocument(const Document* document)
{
    for (const auto& each : documents_)
        if (each.get() == document) held_.insert(each->sessionIdentifier());
    documents_.erase(std::remove_if(documents_.begin(), documents_.end(), [&](auto& d) { return d.get() == document; }),
                     documents_.end());
}

std::string DocumentController::typeForContentsOf(const core::Url& url) const
{
    const std::string extension = lowercase(url.pathExtension());
    std::optional<std::string> reason;
    for (auto& type : types_) {
        if (!type.contentTest) {
            if (std::find(type.extensions.begin(), type.extensions.end(), extension) != type.extensions.end())
                return type.type;
            continue;
        }
        const auto refused = type.contentTest(url);
        if (!refused) return type.type;
        if (!reason) reason = refused;
    }
    throw core::Error("NSCocoaErrorDomain", 259,
                      "The file \"" + (url.isFileURL() ? url.path() : url.absoluteString()) +
                          "\" couldn't be opened because " + reason.value_or("it isn't in the correct format") + ".");
}

std::shared_ptr<Document> DocumentController::makeDocument(const core::Url& url, const std::string& type) const
{
    auto found = std::find_if(types_.begin(), types_.end(), [&](auto& t) { return t.type == type; });
    if (found == types_.end() || !found->factory)
        throw core::Error("NSCocoaErrorDomain", 256, "No document can be made of the type \"" + type + "\".");
    auto document = found->factory();
    if (!document) throw core::Error("NSCocoaErrorDomain", 256, "The document could not be made.");
    document->setFileURL(url);
    document->setFileType(type);
    document->read(url, type);
    return document;
}

std::shared_ptr<Document> DocumentController::openDocumentWithContentsOf(const core::Url& url, bool display)
{
    core::assertMainThread();
    auto document = makeDocument(url, typeForContentsOf(url));
    addDocument(document);
    document->makeWindowControllers();
    if (display) document->showWindows();
    takeBackKeptState(*document);
    scheduleSessionSave();
    return document;
}

void DocumentController::takeBackKeptState(Document& document)
{
    const auto url = document.fileURL();
    const auto same = [&](const std::shared_ptr<Document>& kept) { return kept->fileURL() == url; };
    const auto found = std::find_if(missing_.begin(), missing_.end(), same);
    if (!url || found == missing_.end()) return;
    const auto kept = *found;
    missing_.erase(found);
    registerSessionClasses();
    KeptState::restore(document, KeptState::of(*kept));
    // The document takes the entry's place in the session.
    document.setSessionIdentifier(kept->sessionIdentifier());
}

void DocumentController::openDocument(const std::shared_ptr<core::Object>&)
{
    auto panel = core::make<OpenPanel>();
    panel->setCanChooseFiles(true);
    panel->setAllowsMultipleSelection(true);
    panel->setAllowedFileTypes(registeredExtensions());
    if (openPanelSetUp_) openPanelSetUp_(*panel);
    if (panel->runModal() != ModalResponses::ok) return;
    for (auto& url : panel->urls()) {
        try {
            openDocumentWithContentsOf(url, true);
        } catch (const core::Error& error) {
            auto alert = core::make<Alert>();
            alert->setMessageText(error.message());
            alert->runModal();
        }
    }
}

core::Url DocumentController::sessionURL() const
{
    if (sessionURL_) return *sessionURL_;
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // $XDG_DATA_HOME/<bundle identifier>/Session.cbor; the program's name when the bundle has no identifier.
    const auto identifier = core::Bundle::main()->identifier();
    const std::string name = identifier ? *identifier : QCoreApplication::applicationName().toStdString();
    return core::Url::fileURL(base.toStdString() + "/" + name + "/Session.cbor");
}

void DocumentController::releaseDocuments()
{
    // Taken out first: a document that goes may still ask the controller to remove it.
    std::vector<std::shared_ptr<Document>> going;
    going.swap(documents_);
    going.insert(going.end(), missing_.begin(), missing_.end());
    missing_.clear();
}

void DocumentController::scheduleSessionSave()
{
    if (saveScheduled_) return;
    saveScheduled_ = true;
    std::weak_ptr<DocumentController> weak = sharedAs<DocumentController>();
    core::DispatchQueue::main()->asyncAfter(1.0, [weak] {
        if (auto controller = weak.lock()) {
            controller->saveScheduled_ = false;
            // After the save at quit the windows close: a save then would drop them from the session.
            if (controller->savedForQuit_) return;
            // A failure is told to the user inside, once.
            static_cast<void>(controller->saveSession());
        }
    });
}

std::optional<std::string> DocumentController::writeSession()
{
    registerSessionClasses();
    const core::Url url = sessionURL();
    QDir().mkpath(QString::fromStdString(url.deletingLastPathComponent().path()));
    if (sessionKeptBack_) return "the unreadable session file could not be moved out of its way";
    // Programs on other displays save into the same file: one at a time, each carrying over what the others
    // wrote.
    const core::FileLock lock(url.deletingLastPathComponent().path() + "/.Session.lock");
    int error = 0;
    const auto written = core::readRegularFile(url.path(), largestSession, &error);
    const auto carried = written ? carriedSession(*written) : nullptr;
    if (written ? !carried : error != ENOENT && error != ENOTDIR) {
        keepUnreadableSessionAside(url.path(), written ? "it is damaged or of another version" : reasonOf(error));
        if (sessionKeptBack_) return "the unreadable session file could not be moved out of its way";
    }
    std::vector<std::shared_ptr<SessionDocument>> own;
    for (auto& document : documents_)
        if (document->fileURL()) own.push_back(std::make_shared<SessionDocument>(entryOf(*document)));
    for (auto& document : missing_)
        own.push_back(std::make_shared<SessionDocument>(entryOf(*document)));
    for (auto& entry : own)
        held_.insert(entry->entry().identifier);
    try {
        const auto entries = carried ? merged(own, *carried, held_) : own;
        error = 0;
        if (core::writeAtomically(core::KeyedArchiver::archivedData(std::make_shared<Session>(entries)), url.path(),
                                  error))
            return std::nullopt;
        return reasonOf(error);
    } catch (const core::Error& error) {
        return error.message();
    }
}

core::UserNotice DocumentController::sessionNotSaved(const std::string& reason, const std::string& next) const
{
    return {"The open movies and their snaps could not be saved for the next start.",
            "The session file \"" + sessionURL().path() + "\" could not be written (" + reason + ")." + next};
}

bool DocumentController::saveSession()
{
    const auto failure = writeSession();
    if (!failure || saveFailureTold_) {
        saveFailureTold_ = failure.has_value();
        return !failure;
    }
    saveFailureTold_ = true;
    core::UserNotices::post(sessionNotSaved(*failure, " The program tries again at the next change."));
    return false;
}

std::optional<core::UserNotice> DocumentController::saveSessionAtQuit()
{
    savedForQuit_ = true;
    const auto failure = writeSession();
    if (!failure) return std::nullopt;
    return sessionNotSaved(*failure, "");
}

int DocumentController::restoreSession()
{
    registerSessionClasses();
    missing_.clear();
    const std::string path = sessionURL().path();
    core::UnpublishedFile::removeLeftovers(sessionURL().deletingLastPathComponent().path());
    int error = 0;
    const auto data = core::readRegularFile(path, largestSession, &error);
    std::shared_ptr<Session> session;
    restoreLosses() = {};
    if (data)
        session = core::KeyedUnarchiver::unarchiveObject<Session>(*data);
    else if (error == ENOENT || error == ENOTDIR)
        return 0;
    if (session) {
        if (restoreLosses().documents > 0 || restoreLosses().items > 0) keepPartlyUnreadableSession(*data);
        // Every entry read at launch is this program's, also one whose file could not be opened again.
        if (const auto carried = carriedSession(*data))
            for (auto& entry : carried->entries())
                held_.insert(entry->entry().identifier);
        return int(session->entries().size());
    }
    keepUnreadableSessionAside(path, data ? "it is damaged or of another version" : reasonOf(error));
    return 0;
}

void DocumentController::keepUnreadableSessionAside(const std::string& path, const std::string& problem)
{
    int moveError = 0;
    const auto keptAs = core::keepAsideUnreadable(path, &moveError);
    sessionKeptBack_ = !keptAs;
    core::UserNotices::post({"The movies and snaps of the last session could not be read.",
                             keptAs
                                 ? "The session file (" + problem + ") was kept as \"" + *keptAs + "\"."
                                 : "The session file \"" + path + "\" (" + problem +
                                       ") is left as it is and no session is saved over it: it could not be moved (" +
                                       reasonOf(moveError) + ")."});
}

void DocumentController::keepPartlyUnreadableSession(const core::Data& bytes)
{
    const std::string path = sessionURL().path();
    const std::string lost = lossesText(restoreLosses());
    int error = 0;
    const auto keptAs = core::keepCopyAside(path, bytes, &error);
    sessionKeptBack_ = !keptAs;
    core::UserNotices::post(
        {lost + " of the last session could not be read back.",
         "The other movies and snaps are open again. " +
             (keptAs ? "The session file as it was is kept as \"" + *keptAs + "\"."
                     : "The session file \"" + path + "\" is left as it is and no session is saved over it: " +
                           "a copy of it could not be kept (" + reasonOf(error) + ").")});
}

}  // namespace ui
