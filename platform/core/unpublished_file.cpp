#include "platform/core/unpublished_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <set>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/core/mutex.h"

namespace core {

namespace {

// Longest hint kept in a hidden name, in bytes, so that the name stays within the 255 a file system allows.
constexpr std::size_t longestHint = 200;

// The hint as one name: no separator, cut on a character boundary.
std::string nameFromHint(std::string hint)
{
    for (char& c : hint)
        if (c == '/') c = '_';
    if (hint.size() > longestHint) {
        std::size_t cut = longestHint;
        while (cut > 0 && (static_cast<unsigned char>(hint[cut]) & 0xC0) == 0x80)
            --cut;
        hint.resize(cut);
    }
    return hint;
}

std::string randomSuffix()
{
    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string suffix(6, 'X');
    for (char& c : suffix)
        c = letters[random() % (sizeof letters - 1)];
    return suffix;
}

// Calls `attempt` with fresh hidden names ".<hint>.XXXXXX.part" in the folder while it fails with EEXIST;
// the name of its first success, or empty.
template <class Attempt>
std::string withHiddenName(const std::string& folder, const std::string& hint, Attempt attempt)
{
    const std::string prefix = folder + "/." + nameFromHint(hint) + ".";
    for (int tries = 0; tries < 100; ++tries) {
        std::string path = prefix + randomSuffix() + ".part";
        if (attempt(path)) return path;
        if (errno != EEXIST) break;
    }
    return {};
}

std::string descriptorPath(int descriptor) { return "/proc/self/fd/" + std::to_string(descriptor); }

// Unnamed files are published by linking them through /proc, which must be there.
bool canPublishUnnamed() { return ::access("/proc/self/fd", X_OK) == 0; }

bool unsupported(int error) { return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP; }

// ".<hint>.XXXXXX.part", as withHiddenName makes them.
bool isHiddenName(const std::string& name)
{
    static constexpr std::string_view suffix = ".part";
    constexpr std::size_t random = 6;
    if (name.size() < 1 + 1 + random + suffix.size() || name.front() != '.') return false;
    if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
    const std::size_t start = name.size() - suffix.size() - random;
    if (name[start - 1] != '.') return false;
    for (std::size_t i = start; i < start + random; ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

// Removes the hidden file `name` of the open folder when it is a regular file, no writer holds it and it is
// old enough; true when it was removed.
bool removeLeftover(int folder, const std::string& name, double minimumAge)
{
    const int descriptor = ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return false;
    bool removed = false;
    struct stat status {};
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
        double(std::time(nullptr) - status.st_mtime) >= minimumAge) {
        // The name still names the file that was checked.
        struct stat named {};
        if (::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_ino == status.st_ino &&
            named.st_dev == status.st_dev)
            removed = ::unlinkat(folder, name.c_str(), 0) == 0;
    }
    ::close(descriptor);
    return removed;
}

// The first time this process writes into a folder, the leftovers of earlier runs go.
void removeLeftoversOnce(const std::string& folder)
{
    // Never destroyed: writers on other threads may still come here while the process ends.
    struct Swept {
        Mutex mutex;  // guards the folders
        std::set<std::string> folders GUARDED_BY(mutex);
    };
    static auto* swept = new Swept;
    {
        MutexLock lock(swept->mutex);
        if (!swept->folders.insert(folder).second) return;
    }
    UnpublishedFile::removeLeftovers(folder);
}

// Held until the file is published or dropped, so that no sweep takes it for a leftover.
void lockWhileWriting(int descriptor) { ::flock(descriptor, LOCK_EX | LOCK_NB); }

}  // namespace

std::unique_ptr<UnpublishedFile> UnpublishedFile::create(const std::string& folder, const std::string& hint,
                                                         Storage storage)
{
    const std::string where = folder.empty() ? "." : folder;
    removeLeftoversOnce(where);
    if (storage == Storage::unnamed && canPublishUnnamed()) {
        const int descriptor = ::open(where.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            lockWhileWriting(descriptor);
            return std::make_unique<UnpublishedFile>(descriptor, where, hint, std::string());
        }
    }
    int descriptor = -1;
    std::string path = withHiddenName(where, hint, [&](const std::string& name) {
        descriptor = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        return descriptor >= 0;
    });
    if (path.empty()) return nullptr;
    lockWhileWriting(descriptor);
    return std::make_unique<UnpublishedFile>(descriptor, where, hint, std::move(path));
}

UnpublishedFile::UnpublishedFile(int descriptor, std::string folder, std::string hint, std::string temporaryPath)
    : descriptor_(descriptor), folder_(std::move(folder)), hint_(std::move(hint)),
      temporaryPath_(std::move(temporaryPath))
{
}

UnpublishedFile::~UnpublishedFile()
{
    if (descriptor_ >= 0) ::close(descriptor_);
    if (!temporaryPath_.empty()) ::unlink(temporaryPath_.c_str());
}

bool UnpublishedFile::write(const Data& data)
{
    if (isPublished_) return false;
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t written = ::write(descriptor_, data.data() + done, data.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += std::size_t(written);
    }
    return true;
}

bool UnpublishedFile::flush() { return ::fdatasync(descriptor_) == 0 || unsupported(errno); }

void UnpublishedFile::published()
{
    isPublished_ = true;
    temporaryPath_.clear();
    ::close(descriptor_);
    descriptor_ = -1;
}

int UnpublishedFile::removeLeftovers(const std::string& folder, double minimumAge)
{
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return 0;
    DIR* listing = ::fdopendir(descriptor);
    if (!listing) {
        ::close(descriptor);
        return 0;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing))
        if (isHiddenName(entry->d_name)) names.emplace_back(entry->d_name);
    int removed = 0;
    for (const auto& name : names)
        if (removeLeftover(descriptor, name, minimumAge)) ++removed;
    ::closedir(listing);
    return removed;
}

NewFileResult UnpublishedFile::publishAsNew(const std::string& path)
{
    if (isPublished_ || !flush()) return NewFileResult::failed;
    if (storage() == Storage::unnamed) {
        if (::linkat(AT_FDCWD, descriptorPath(descriptor_).c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) != 0)
            return errno == EEXIST ? NewFileResult::exists : NewFileResult::failed;
        published();
        return NewFileResult::created;
    }
    if (::renameat2(AT_FDCWD, temporaryPath_.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
        published();
        return NewFileResult::created;
    }
    if (errno == EEXIST) return NewFileResult::exists;
    if (!unsupported(errno)) return NewFileResult::failed;
    // A file system that cannot rename without replacing: claim the name with an empty file of our own, then
    // rename over that.
    const int claim = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (claim < 0) return errno == EEXIST ? NewFileResult::exists : NewFileResult::failed;
    ::close(claim);
    if (::rename(temporaryPath_.c_str(), path.c_str()) != 0) {
        ::unlink(path.c_str());
        return NewFileResult::failed;
    }
    published();
    return NewFileResult::created;
}

bool UnpublishedFile::nameHidden()
{
    temporaryPath_ = withHiddenName(folder_, hint_, [&](const std::string& name) {
        return ::linkat(AT_FDCWD, descriptorPath(descriptor_).c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    });
    return !temporaryPath_.empty();
}

bool UnpublishedFile::publishReplacing(const std::string& path)
{
    if (isPublished_) return false;
    struct stat replaced {};
    if (::lstat(path.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode))
        ::fchmod(descriptor_, replaced.st_mode & 07777);
    if (!flush()) return false;
    if (storage() == Storage::unnamed && !nameHidden()) return false;
    if (::rename(temporaryPath_.c_str(), path.c_str()) != 0) return false;
    published();
    return true;
}

}  // namespace core
