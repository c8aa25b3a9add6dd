#include "platform/ui/document_controller.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <system_error>

#include "platform/core/bundle.h"
#include "platform/core/coding.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/error.h"
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

// One open document in the session archive: its file, its type and its restorable state.
class SessionDocument : public core::Coding {
public:
    explicit SessionDocument(std::shared_ptr<Document> document) : document_(std::move(document)) {}
    std::string className() const override { return entryClass; }
    void encode(core::KeyedArchiver& archiver) const override
    {
        archiver.encodeString("url", document_->fileURL() ? document_->fileURL()->absoluteString() : "");
        archiver.encodeString("type", document_->fileType());
        document_->encodeRestorableState(archiver);
    }
    const std::shared_ptr<Document>& document() const { return document_; }

private:
    std::shared_ptr<Document> document_;
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

// The restorable state of a document kept for its missing file, handed to a document of that file opened
// since: archived from the one, then decoded into the other.
const char* const keptStateClass = "ui.KeptState";

class KeptState : public core::Coding {
public:
    explicit KeptState(std::shared_ptr<Document> document) : document_(std::move(document)) {}
    std::string className() const override { return keptStateClass; }
    void encode(core::KeyedArchiver& archiver) const override { document_->encodeRestorableState(archiver); }
    // The document that decoding restores.
    static std::shared_ptr<Document>& receiver()
    {
        static std::shared_ptr<Document> document;
        return document;
    }

private:
    std::shared_ptr<Document> document_;
};

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

// Decoding an entry reopens its document (shown, then given its state); an unreadable one decodes as null.
void registerSessionClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    core::CodingRegistry::add<SessionDocument>(entryClass, [](core::KeyedUnarchiver& unarchiver) -> SessionDocument* {
        const auto text = unarchiver.decodeString("url");
        const auto type = unarchiver.decodeString("type");
        const auto url = text ? core::Url::fromString(*text) : std::nullopt;
        if (!url || !type) return nullptr;
        try {
            // A file that has gone since is not reopened, whatever its document would make of its absence;
            // its entry is kept as it was, to come back with the file.
            if (url->isFileURL() && !core::FileManager::defaultManager()->fileExists(url->path())) {
                auto kept = DocumentController::shared()->makeDocument(*url, *type);
                kept->restoreState(unarchiver);
                restoreLosses().items += kept->unreadableRestoredItems();
                DocumentController::shared()->keepMissingDocument(kept);
                return nullptr;
            }
            auto document = DocumentController::shared()->openDocumentWithContentsOf(*url, true);
            document->restoreState(unarchiver);
            restoreLosses().items += document->unreadableRestoredItems();
            return new SessionDocument(document);
        } catch (const core::Error&) {
            return nullptr;
        }
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
        restoreLosses().documents += int(decoded->size() - entries.size() - missing);
        return new Session(std::move(entries));
    });
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
    KeptState::receiver() = document.sharedAs<Document>();
    core::KeyedUnarchiver::unarchiveObject(core::KeyedArchiver::archivedData(std::make_shared<KeptState>(kept)));
    KeptState::receiver().reset();
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
            // A failure is told to the user inside, once.
            static_cast<void>(controller->saveSession());
        }
    });
}

std::optional<std::string> DocumentController::writeSession()
{
    registerSessionClasses();
    std::vector<std::shared_ptr<SessionDocument>> entries;
    for (auto& document : documents_)
        if (document->fileURL()) entries.push_back(std::make_shared<SessionDocument>(document));
    for (auto& document : missing_)
        entries.push_back(std::make_shared<SessionDocument>(document));
    const core::Url url = sessionURL();
    QDir().mkpath(QString::fromStdString(url.deletingLastPathComponent().path()));
    if (sessionKeptBack_) return "the unreadable session file could not be moved out of its way";
    try {
        int error = 0;
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
        return int(session->entries().size());
    }

    const std::string problem = data ? "it is damaged or of another version" : reasonOf(error);
    int moveError = 0;
    const auto keptAs = core::keepAsideUnreadable(path, &moveError);
    sessionKeptBack_ = !keptAs;
    core::UserNotices::post({"The movies and snaps of the last session could not be read.",
                             keptAs
                                 ? "The session file (" + problem + ") was kept as \"" + *keptAs + "\"."
                                 : "The session file \"" + path + "\" (" + problem +
                                       ") is left as it is and no session is saved over it: it could not be moved (" +
                                       reasonOf(moveError) + ")."});
    return 0;
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
