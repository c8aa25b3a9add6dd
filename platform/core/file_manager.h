// The file system as the program sees it: existence tests, removal, folder creation, new files, the
// application-support folder and folder walks. One shared manager, replaceable (tests install a subclass).
// Safe from any thread.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/data.h"
#include "platform/core/object.h"
#include "platform/core/url.h"

namespace core {

class DirectoryEnumerator;

// Options of a folder walk (bit values as stored by callers).
enum class DirectoryEnumerationOptions : unsigned {
    none = 0,
    skipsHiddenFiles = 4,  // names starting with "." are neither yielded nor entered
};

// Whether the entry named `a` comes before the one named `b` in a folder walk; empty for byte order.
using NameOrder = std::function<bool(const std::string& a, const std::string& b)>;

// What an exclusive creation found.
enum class NewFileResult {
    created,  // the file did not exist and now exists, empty, made by this call
    exists,   // an item of that name was already there; nothing was touched
    failed,   // the folder is missing, not writable, ...
};

class FileManager : public Object {
public:
    static std::shared_ptr<FileManager> defaultManager();
    // Installs `manager` as the default one (null restores the plain manager); returns the previous one.
    static std::shared_ptr<FileManager> setDefaultManager(std::shared_ptr<FileManager> manager);

    // True when something exists at the path, links followed; `isDirectory` (when given) tells whether it
    // is a folder, and is false when nothing exists.
    virtual bool fileExists(const std::string& path, bool* isDirectory = nullptr) const;

    // Removes the file, or the folder with everything in it. Throws core::Error when nothing is there or
    // it cannot be removed.
    virtual void removeItem(const Url& url);

    // Creates the folder; with intermediate folders, missing parents too and an existing folder is fine.
    // Throws core::Error on failure.
    virtual void createDirectory(const Url& url, bool withIntermediateDirectories);

    // Writes the contents into a new file at the path, replacing any file there, all or nothing.
    [[nodiscard]] virtual bool createFile(const std::string& path, const Data& contents = {});

    // Creates an empty file at the path only when nothing exists there, atomically: of several threads or
    // processes racing for one path, exactly one gets `created`.
    [[nodiscard]] virtual NewFileResult createNewFile(const std::string& path);

    // The user's application-support folders, most specific first (one on Linux: $XDG_DATA_HOME).
    virtual std::vector<Url> applicationSupportDirectories() const;

    // A walk of everything below the folder, the entries of each folder in `order`; null when the folder
    // cannot be read.
    virtual std::shared_ptr<DirectoryEnumerator> enumerator(const Url& folder, DirectoryEnumerationOptions options,
                                                            NameOrder order = {});
};

// A depth-first walk of a folder: each folder is yielded before its contents, the entries of one folder
// in the given order of their names (byte order unless given); links are yielded but not followed; unreadable
// subfolders are yielded and not entered. Serves one thread at a time.
class DirectoryEnumerator : public Object {
public:
    DirectoryEnumerator(const std::string& folder, DirectoryEnumerationOptions options, NameOrder order = {});

    // The next item, or nullopt at the end.
    std::optional<Url> next();

private:
    void pushFolder(const std::string& folder);

    DirectoryEnumerationOptions options_;
    NameOrder order_;
    std::vector<std::vector<std::string>> pending_;  // per open folder: its paths still to yield, last first
};

}  // namespace core
