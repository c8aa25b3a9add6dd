#include "tests/support/full_folder.h"

#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

namespace testsupport {

namespace {

const char* const filler = "filler";

}  // namespace

FullFolder::FullFolder()
{
    mounted_ = ::mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, "size=64k") == 0;
    if (mounted_) fill();
}

FullFolder::~FullFolder()
{
    if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
}

void FullFolder::empty()
{
    for (int i = 0;; ++i)
        if (::unlink((folder_.path() / (filler + std::to_string(i))).c_str()) != 0) break;
}

void FullFolder::fill()
{
    // Big files first, then ever smaller ones, until not one byte more goes in.
    const std::vector<char> block(4096, 'x');
    int index = 0;
    while (::access((folder_.path() / (filler + std::to_string(index))).c_str(), F_OK) == 0)
        ++index;
    for (std::size_t size = block.size(); size > 0; size /= 2) {
        for (;;) {
            const auto name = folder_.path() / (filler + std::to_string(index));
            const int descriptor = ::open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
            if (descriptor < 0) return;
            ++index;
            const bool whole = ::write(descriptor, block.data(), size) == ssize_t(size);
            ::close(descriptor);
            if (!whole) break;
        }
    }
}

}  // namespace testsupport
