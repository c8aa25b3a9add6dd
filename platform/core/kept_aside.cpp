#include "platform/core/kept_aside.h"

#include <QDateTime>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

// Renames without replacing anything; falls back on a check where the file system cannot.
bool renameAsNew(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    struct stat status {};
    if (::lstat(to.c_str(), &status) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
}

// Writes all the bytes into a file made new at `to`, and onto the disk; false, with errno set and nothing left
// at `to`, when that fails (EEXIST: something is there).
bool writeAsNew(const std::string& to, const Data& bytes)
{
    const int descriptor = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (descriptor < 0) return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += std::size_t(n);
    }
    bool ok = written == bytes.size() && ::fsync(descriptor) == 0;
    const int failure = ok ? 0 : (errno ? errno : EIO);
    ok = ::close(descriptor) == 0 && ok;
    if (ok) return true;
    ::unlink(to.c_str());
    errno = failure ? failure : EIO;
    return false;
}

// Tries `place` at the names of the series until one is free; the name it took.
std::optional<std::string> placeAside(const std::string& path, int* error,
                                      const std::function<bool(const std::string&)>& place)
{
    const std::string base =
        path + ".unreadable-" + QDateTime::currentDateTime().toString("yyyy-MM-ddTHH-mm-ss").toStdString();
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const std::string candidate = attempt == 1 ? base : base + "-" + std::to_string(attempt);
        if (place(candidate)) return candidate;
        if (errno != EEXIST) break;
    }
    if (error) *error = errno;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> keepAsideUnreadable(const std::string& path, int* error)
{
    return placeAside(path, error, [&](const std::string& to) { return renameAsNew(path, to); });
}

std::optional<std::string> keepCopyAside(const std::string& path, const Data& bytes, int* error)
{
    return placeAside(path, error, [&](const std::string& to) { return writeAsNew(to, bytes); });
}

}  // namespace core
