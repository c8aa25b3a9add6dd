#include "platform/core/kept_aside.h"

#include <QDateTime>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

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

}  // namespace

std::optional<std::string> keepAsideUnreadable(const std::string& path, int* error)
{
    const std::string base =
        path + ".unreadable-" + QDateTime::currentDateTime().toString("yyyy-MM-ddTHH-mm-ss").toStdString();
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const std::string candidate = attempt == 1 ? base : base + "-" + std::to_string(attempt);
        if (renameAsNew(path, candidate)) return candidate;
        if (errno != EEXIST) break;
    }
    if (error) *error = errno;
    return std::nullopt;
}

}  // namespace core
