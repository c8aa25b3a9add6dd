#include "platform/core/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace core {

FileLock::FileLock(const std::string& path)
{
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) {
        error_ = errno;
        return;
    }
    while (::flock(descriptor, LOCK_EX) != 0)
        if (errno != EINTR) {
            error_ = errno;
            ::close(descriptor);
            return;
        }
    descriptor_ = descriptor;
}

FileLock::~FileLock()
{
    if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace core
