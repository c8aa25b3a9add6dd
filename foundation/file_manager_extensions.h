// What the program does with files beyond the file manager's own calls: free names "name (i).ext" (and
// claiming one for concurrent writers), support folders, and walks over dropped files and folders.
// Safe from any thread.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/file_manager.h"
#include "platform/core/url.h"

namespace core {
class UnpublishedFile;
}

namespace kestrane {

struct ContentExistence {
    bool exist;
    bool isDir;
};

// Removes the item with the default manager `FM` (not `fm`), ignoring any failure.
void tryToRemoveItem(core::FileManager& fm, const core::Url& url);

ContentExistence contentExists(const core::FileManager& fm, const core::Url& url);

// `url` when nothing exists at its path, else the first of "base (0).ext", "base (1).ext", ... in the
// same folder at which nothing exists (a folder counts as taken). Creates nothing: when several writers
// may pick names in one folder at once, use writeToFreeName.
core::Url alternative(const core::FileManager& fm, const core::Url& url);
// The same, also passing over every name `alsoTaken` answers true for (names promised but not yet written),
// and starting the series at its `from`-th numbered name (-1: the name itself).
core::Url alternative(const core::FileManager& fm, const core::Url& url,
                      const std::function<bool(const core::Url&)>& alsoTaken, long from = -1);
// The i-th numbered name of `url`: "base (i).ext" in the same folder; `url` itself for a negative i.
core::Url numberedName(const core::Url& url, long i);
// The same for `name` in `folder`, asked of the default manager `FM`.
core::Url alternative(const core::FileManager& fm, const std::string& name, const core::Url& folder);

// Writes a new file at `url` or, when that name is taken, at the first free name of alternative's series,
// whole or not at all. The bytes go to a temporary file of the same folder that takes its name only once
// complete and never in place of anything there: of any number of threads or processes writing into one
// folder, each gets a name nobody else got, and a process killed meanwhile leaves no empty or partial file
// under any name. The name it got; nullopt, with nothing left behind, when `bytes` gives none or no file can
// be written there: then `error`, when given, gets the system's error number, or 0 when `bytes` gave none.
[[nodiscard]] std::optional<core::Url> writeToFreeName(core::FileManager& fm, const core::Url& url,
                                                       const std::function<std::optional<core::Data>()>& bytes,
                                                       int* error = nullptr);
// Gives the written file `url`'s name or, when that is taken, the first free name of alternative's series,
// never in place of anything there. The name it got; nullopt when the file could not be named.
[[nodiscard]] std::optional<core::Url> publishToFreeName(core::FileManager& fm, core::UnpublishedFile& file,
                                                         const core::Url& url);

// The user's application-support folder; nullopt when there is none.
std::optional<core::Url> applicationsSupportDirectoryURL(const core::FileManager& fm);

// The support folder with the main bundle's name appended; nullopt when there is no support folder.
std::optional<core::Url> bundleSupportDirectoryURL(const core::FileManager& fm);

// Creates the folder and its missing parents; throws core::Error on failure.
void createDirectory(core::FileManager& fm, const core::Url& url);
// Creates `url` + `appendPathComponent` the same way and returns it.
core::Url createDirectory(core::FileManager& fm, const core::Url& url, const std::string& appendPathComponent);

// Creates the bundle's support folder (with the component appended) and returns it; nullopt when there is
// no support folder or it cannot be created.
[[nodiscard]] std::optional<core::Url> createBundleSupportDirectory(core::FileManager& fm);
[[nodiscard]] std::optional<core::Url> createBundleSupportDirectoryWithComponent(core::FileManager& fm,
                                                                                 const std::string& component);

// A walk of the folder with the given options, each folder's entries in the order file managers list them;
// null when the folder cannot be read.
std::shared_ptr<core::DirectoryEnumerator> dirEnumerator(core::FileManager& fm, const core::Url& url,
                                                         core::DirectoryEnumerationOptions options);

// Calls `block` for each URL in order: a folder gives every item below it (folders too, hidden ones
// skipped, an unreadable folder nothing); anything else, a missing path included, gives itself.
void enumerateFiles(core::FileManager& fm, const std::vector<core::Url>& urls,
                    const std::function<void(const core::Url&)>& block);

}  // namespace kestrane
