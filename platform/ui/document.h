// A document: the contents of one file, read when it opens, shown by its window controllers, and able to
// save and restore the state of its interface across launches. A document follows its window controller in
// the responder chain. Main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/url.h"
#include "platform/ui/responder.h"

namespace core {
class KeyedArchiver;
class KeyedUnarchiver;
}  // namespace core

namespace ui {

class WindowController;

class Document : public Responder {
public:
    // Reads the file's contents; throws core::Error when they cannot make the document.
    virtual void read(const core::Url& url, const std::string& typeName) = 0;
    // The registered interface whose owner is the document; empty when makeWindowControllers is overridden.
    virtual std::string windowNibName() const { return {}; }
    // By default one window controller of windowNibName().
    virtual void makeWindowControllers();
    // Runs once the window of a controller made from windowNibName() has been built.
    virtual void windowControllerDidLoadNib(WindowController& controller) {}
    virtual bool autosavesInPlace() const { return false; }
    // Writes and reads the interface state kept across launches.
    virtual void encodeRestorableState(core::KeyedArchiver& archiver) const {}
    virtual void restoreState(core::KeyedUnarchiver& unarchiver) {}
    // How many items of the kept state its restoreState could not read back and left out.
    int unreadableRestoredItems() const { return unreadableRestoredItems_; }
    // Asks for the kept state to be written again soon.
    void invalidateRestorableState();

    std::optional<core::Url> fileURL() const { return fileURL_; }
    void setFileURL(const std::optional<core::Url>& url) { fileURL_ = url; }
    std::string fileType() const { return fileType_; }
    void setFileType(const std::string& type) { fileType_ = type; }
    // The file's name, or "Untitled".
    std::string displayName() const;
    // Tells the document's entry in the kept session from every other, of this program and of others: new
    // for each document, given back to one restored from the session.
    const std::string& sessionIdentifier() const { return sessionIdentifier_; }
    void setSessionIdentifier(const std::string& identifier) { sessionIdentifier_ = identifier; }

    const std::vector<std::shared_ptr<WindowController>>& windowControllers() const { return controllers_; }
    void addWindowController(const std::shared_ptr<WindowController>& controller);
    void showWindows();
    // Closes the windows and leaves the document controller.
    virtual void close();

protected:
    // For restoreState: `count` more items of the kept state could not be read back.
    void countUnreadableRestoredItems(int count) { unreadableRestoredItems_ += count; }

private:
    std::optional<core::Url> fileURL_;
    std::string fileType_;
    std::string sessionIdentifier_ = newSessionIdentifier();
    std::vector<std::shared_ptr<WindowController>> controllers_;
    int unreadableRestoredItems_ = 0;

    // 128 random bits in hexadecimal.
    static std::string newSessionIdentifier();
};

}  // namespace ui
