// A new file written out of sight in its folder, then published under a name whole: nobody ever sees it
// half-written under that name. Where the file system allows, the file has no name at all until it is
// published, so a process killed while writing leaves nothing behind; elsewhere it has a hidden temporary
// name ".<hint>.XXXXXX.part" in its folder, removed when the file is dropped unpublished (a kill leaves it,
// named so that it cannot be mistaken for a finished file). A file being written is locked (flock) until it
// is published or dropped; hidden files of ours that no writer holds are removed as leftovers of a kill, from
// a folder the first time this process writes there, and from any folder on request. Serves one thread at a
// time.
#pragma once

#include <memory>
#include <string>

#include "platform/core/data.h"
#include "platform/core/file_manager.h"

namespace core {

class UnpublishedFile {
public:
    // How the file is kept until it is published.
    enum class Storage { unnamed, hidden };

    // A new, empty file in `folder`; `hint` (a file name) only makes a hidden name readable. Unnamed where
    // the file system allows, unless hidden is asked for. Null when no file can be made there.
    [[nodiscard]] static std::unique_ptr<UnpublishedFile> create(const std::string& folder, const std::string& hint,
                                                                 Storage storage = Storage::unnamed);
    ~UnpublishedFile();
    UnpublishedFile(const UnpublishedFile&) = delete;
    UnpublishedFile& operator=(const UnpublishedFile&) = delete;

    // Removes from `folder` (not its subfolders) the hidden files ".<hint>.XXXXXX.part" that no writer holds
    // and that were last changed `minimumAge` seconds ago or earlier; nothing else is touched. Gives how many
    // were removed.
    static int removeLeftovers(const std::string& folder, double minimumAge = leftoverAge);
    // Long enough that a writer of ours that has just made its file has also locked it.
    static constexpr double leftoverAge = 120;

    Storage storage() const { return temporaryPath_.empty() ? Storage::unnamed : Storage::hidden; }

    // Appends the bytes; false when writing fails.
    [[nodiscard]] bool write(const Data& data);

    // Gives the file the name `path`, in its folder, unless something (even a dangling link) is there:
    // created when the file now has that name, exists when something else had it (nothing was touched),
    // failed otherwise. Once the file has a name, later calls fail.
    [[nodiscard]] NewFileResult publishAsNew(const std::string& path);
    // Gives the file the name `path`, in its folder, replacing in one step whatever file or link is there,
    // with the replaced file's permissions. False when that fails.
    [[nodiscard]] bool publishReplacing(const std::string& path);

    UnpublishedFile(int descriptor, std::string folder, std::string hint, std::string temporaryPath);

private:
    // Makes the file's data durable before it gets a name, so that a name never shows an empty file.
    [[nodiscard]] bool flush();
    // Gives an unnamed file a hidden name of its own, to be renamed from.
    [[nodiscard]] bool nameHidden();
    void published();

    int descriptor_;
    const std::string folder_;
    const std::string hint_;
    std::string temporaryPath_;  // empty while the file has no name of its own
    bool isPublished_ = false;
};

}  // namespace core
