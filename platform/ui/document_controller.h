// Keeps the open documents, makes documents of the registered types from files, and keeps the session: the
// open documents' files and restorable states are written (a second after a change, and at quit) and
// reopened at the next launch. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/core/data.h"
#include "platform/core/url.h"
#include "platform/core/user_notices.h"
#include "platform/ui/document.h"

namespace ui {

class OpenPanel;

class DocumentController : public Responder {
public:
    using Factory = std::function<std::shared_ptr<Document>()>;
    // Reads the file to tell whether it is of the type: nullopt when it is, else why not, in words that follow
    // "because" ("it is empty").
    using ContentTest = std::function<std::optional<std::string>(const core::Url&)>;

    static std::shared_ptr<DocumentController> shared();
    // The shared controller when it has been made; never makes it.
    static std::shared_ptr<DocumentController> sharedIfMade();

    // Files with one of `extensions` (lower case, no dot) are of `type`, made by `factory`; with a content test,
    // the files it takes are, whatever their names, and the extensions only name the type's files in panels.
    void registerDocumentType(const std::string& type, const std::vector<std::string>& extensions, Factory factory,
                              ContentTest contentTest = {});
    std::vector<std::string> registeredExtensions() const;

    const std::vector<std::shared_ptr<Document>>& documents() const { return documents_; }
    void addDocument(const std::shared_ptr<Document>& document);
    void removeDocument(const Document* document);
    // At the program's end, once the loop is over: lets every document go, with the windows and menus it
    // holds, while Qt is still there to take them down.
    void releaseDocuments();
    // The first type whose content test takes the file, or without one, whose extensions hold the file's;
    // throws core::Error when none does, its message naming the file and saying why.
    std::string typeForContentsOf(const core::Url& url) const;
    // A new document of `type` read from the file; throws core::Error.
    std::shared_ptr<Document> makeDocument(const core::Url& url, const std::string& type) const;
    // Makes, adds and (when `display`) shows a document of the file; throws core::Error.
    std::shared_ptr<Document> openDocumentWithContentsOf(const core::Url& url, bool display);
    // Asks for files with an open panel and opens each; errors are reported in an alert.
    void openDocument(const std::shared_ptr<core::Object>& sender);
    // Runs on that panel before it shows, after it was given the registered extensions.
    void setOpenPanelSetUp(std::function<void(OpenPanel&)> setUp) { openPanelSetUp_ = std::move(setUp); }

    // Where the session is kept: $XDG_DATA_HOME/<application name>/Session.cbor unless set.
    core::Url sessionURL() const;
    // A new session file is saved to until its restore finds it unreadable.
    void setSessionURL(const core::Url& url)
    {
        sessionURL_ = url;
        sessionKeptBack_ = false;
    }
    // Writes the session a second from now (once, however often it is asked).
    void scheduleSessionSave();
    // Writes the session now; false when it could not be written. The first failure is told to the user
    // (core::UserNotices), the next ones only after a save has worked again. Programs on other displays keep
    // their documents in the same file: a save carries over the entries this program did not open, replaces
    // its own, and leaves out those it closed.
    [[nodiscard]] bool saveSession();
    // The last save, at quit: what to tell the user when the session could not be written, whatever was told
    // before. The caller shows it at once, as no later turn of the loop comes. No scheduled save writes after
    // it, so the windows that close after it stay in the session.
    [[nodiscard]] std::optional<core::UserNotice> saveSessionAtQuit();
    // Reopens the documents of the kept session, skipping files that cannot be read; gives how many opened.
    // An entry whose file is missing (an unplugged disk, a renamed folder) is kept as it was: see below.
    // A session file that cannot be read (damaged, of another version, not a regular file, over
    // largestSession) is kept aside under another name and the user is told; when it cannot be moved, no
    // session is saved over it in this run. A session file that reads but holds entries or snaps that cannot be
    // read back is copied aside the same way, and the user is told how many. Temporary files left in the
    // session's folder by a kill go.
    int restoreSession();
    // The session's documents whose files were missing at the restore, in session order: made and given
    // their kept state, but neither opened nor shown, and saved with the session until their files are
    // back at a later launch, or until a document of the same file opens, which takes their state over.
    const std::vector<std::shared_ptr<Document>>& missingDocuments() const { return missing_; }
    // For the restore: keeps a document of a missing file.
    void keepMissingDocument(const std::shared_ptr<Document>& document) { missing_.push_back(document); }

    static constexpr std::size_t largestSession = 256 << 20;

private:
    // Writes the session; the reason when it could not be written.
    std::optional<std::string> writeSession();
    // The notice of a session not written for `reason`, with `next` said after.
    core::UserNotice sessionNotSaved(const std::string& reason, const std::string& next) const;
    // The session read from `bytes` held entries or snaps that could not be read back: a copy of the file is
    // kept aside before any save replaces it (when it cannot be, no session is saved over it in this run), and
    // the user is told how many were lost.
    void keepPartlyUnreadableSession(const core::Data& bytes);
    // Hands the state kept for a missing file to a document of that file opened since.
    void takeBackKeptState(Document& document);
    // Moves an unreadable session file aside (or notes that it could not be) and tells the user.
    void keepUnreadableSessionAside(const std::string& path, const std::string& problem);

    struct DocumentType {
        std::string type;
        std::vector<std::string> extensions;
        Factory factory;
        ContentTest contentTest;
    };
    std::vector<DocumentType> types_;
    std::vector<std::shared_ptr<Document>> documents_;
    std::vector<std::shared_ptr<Document>> missing_;
    // The session identifiers of the documents this program restored, opened or kept: in the session file,
    // its own entries; the others are another program's.
    std::set<std::string> held_;
    std::optional<core::Url> sessionURL_;
    std::function<void(OpenPanel&)> openPanelSetUp_;
    bool saveScheduled_ = false;
    bool saveFailureTold_ = false;
    // The session was saved for the quit: the windows close after it, and no scheduled save may drop them.
    bool savedForQuit_ = false;
    bool sessionKeptBack_ = false;  // an unreadable session file could not be moved aside
};

}  // namespace ui
