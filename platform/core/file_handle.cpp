#include "platform/core/file_handle.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace core {

std::shared_ptr<FileHandle> FileHandle::forWriting(const std::string& path)
{
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    return make<FileHandle>(descriptor);
}

FileHandle::FileHandle(int descriptor) : descriptor_(descriptor) {}

FileHandle::~FileHandle() { close(); }

bool FileHandle::write(const Data& data)
{
    MutexLock lock(mutex_);
    if (descriptor_ < 0) return false;
    std::size_t written = 0;
    while (written < data.size()) {
        const ssize_t result = ::write(descriptor_, data.data() + written, data.size() - written);
        if (result < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<std::size_t>(result);
    }
    return true;
}

void FileHandle::close()
{
    MutexLock lock(mutex_);
    if (descriptor_ < 0) return;
    ::close(descriptor_);
    descriptor_ = -1;
}

}  // namespace core
