#include "platform/core/file_manager.h"

#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "platform/core/error.h"
#include "platform/core/mutex.h"

namespace fs = std::filesystem;

namespace core {

namespace {

const char* const ErrorDomain = "FileManager";

struct DefaultSlot {
    Mutex mutex;  // guards the manager
    std::shared_ptr<FileManager> manager GUARDED_BY(mutex);
};

DefaultSlot& defaultSlot()
{
    static DefaultSlot slot;
    return slot;
}

[[noreturn]] void fail(const std::string& what, const std::string& path, const std::error_code& error)
{
    throw Error(ErrorDomain, error.value(), what + " \"" + path + "\": " + error.message());
}

bool hasOption(DirectoryEnumerationOptions options, DirectoryEnumerationOptions option)
{
    return (static_cast<unsigned>(options) & static_cast<unsigned>(option)) != 0;
}

}  // namespace

std::shared_ptr<FileManager> FileManager::defaultManager()
{
    DefaultSlot& slot = defaultSlot();
    MutexLock lock(slot.mutex);
    if (!slot.manager) slot.manager = make<FileManager>();
    return slot.manager;
}

std::shared_ptr<FileManager> FileManager::setDefaultManager(std::shared_ptr<FileManager> manager)
{
    DefaultSlot& slot = defaultSlot();
    MutexLock lock(slot.mutex);
    auto previous = std::move(slot.manager);
    slot.manager = std::move(manager);
    return previous;
}

bool FileManager::fileExists(const std::string& path, bool* isDirectory) const
{
    struct stat info {};
    const bool exists = !path.empty() && ::stat(path.c_str(), &info) == 0;
    if (isDirectory) *isDirectory = exists && S_ISDIR(info.st_mode);
    return exists;
}

void FileManager::removeItem(const Url& url)
{
    const std::string path = url.path();
    std::error_code error;
    const auto status = fs::symlink_status(path, error);
    if (!fs::exists(status)) fail("Cannot remove", path, std::make_error_code(std::errc::no_such_file_or_directory));
    fs::remove_all(path, error);
    if (error) fail("Cannot remove", path, error);
}

void FileManager::createDirectory(const Url& url, bool withIntermediateDirectories)
{
    const std::string path = url.path();
    std::error_code error;
    if (withIntermediateDirectories) {
        fs::create_directories(path, error);
        if (!error && !fs::is_directory(path, error)) error = std::make_error_code(std::errc::file_exists);
    } else if (!fs::create_directory(path, error) && !error) {
        error = std::make_error_code(std::errc::file_exists);
    }
    if (error) fail("Cannot create the folder", path, error);
}

bool FileManager::createFile(const std::string& path, const Data& contents) { return writeAtomically(contents, path); }

NewFileResult FileManager::createNewFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno == EEXIST ? NewFileResult::exists : NewFileResult::failed;
    ::close(fd);
    return NewFileResult::created;
}

std::vector<Url> FileManager::applicationSupportDirectories() const
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty()) return {};
    return {Url::fileURL(folder.toStdString())};
}

std::shared_ptr<DirectoryEnumerator> FileManager::enumerator(const Url& folder, DirectoryEnumerationOptions options,
                                                             NameOrder order)
{
    std::error_code error;
    fs::directory_iterator probe(folder.path(), error);
    if (error) return nullptr;
    return make<DirectoryEnumerator>(folder.path(), options, std::move(order));
}

DirectoryEnumerator::DirectoryEnumerator(const std::string& folder, DirectoryEnumerationOptions options,
                                         NameOrder order)
    : options_(options), order_(std::move(order))
{
    pushFolder(folder);
}

void DirectoryEnumerator::pushFolder(const std::string& folder)
{
    const bool skipHidden = hasOption(options_, DirectoryEnumerationOptions::skipsHiddenFiles);
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (skipHidden && it->path().filename().string().starts_with('.')) continue;
        entries.push_back(it->path());
    }
    // Last first: the walk takes from the back.
    std::sort(entries.begin(), entries.end(), [this](const fs::path& a, const fs::path& b) {
        return order_ ? order_(b.filename().string(), a.filename().string()) : b < a;
    });
    std::vector<std::string> paths;
    for (const auto& entry : entries)
        paths.push_back(entry.string());
    pending_.push_back(std::move(paths));
}

std::optional<Url> DirectoryEnumerator::next()
{
    while (!pending_.empty() && pending_.back().empty())
        pending_.pop_back();
    if (pending_.empty()) return std::nullopt;
    const std::string path = std::move(pending_.back().back());
    pending_.back().pop_back();
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(path, error))) pushFolder(path);
    return Url::fileURL(path);
}

}  // namespace core
