#include "platform/core/unpublished_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

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
        while (cut > 0 && (static_cast<unsigned char>(hint[cut]) & 0xC0) == 0x80) --cut;
        hint.resize(cut);
    }
    return hint;
}

std::string randomSuffix()
{
    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string suffix(6, 'X');
    for (char& c : suffix) c = letters[random() % (sizeof letters - 1)];
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

}  // namespace

std::unique_ptr<UnpublishedFile> UnpublishedFile::create(const std::string& folder, const std::string& hint,
                                                         Storage storage)
{
    const std::string where = folder.empty() ? "." : folder;
    if (storage == Storage::unnamed && canPublishUnnamed()) {
        const int descriptor = ::open(where.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (descriptor >= 0) return std::make_unique<UnpublishedFile>(descriptor, where, hint, std::string());
    }
    int descriptor = -1;
    std::string path = withHiddenName(where, hint, [&](const std::string& name) {
        descriptor = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        return descriptor >= 0;
    });
    if (path.empty()) return nullptr;
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

bool UnpublishedFile::flush()
{
    return ::fdatasync(descriptor_) == 0 || unsupported(errno);
}

void UnpublishedFile::published()
{
    isPublished_ = true;
    temporaryPath_.clear();
    ::close(descriptor_);
    descriptor_ = -1;
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
