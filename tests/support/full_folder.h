// A folder on a file system of its own, a few kilobytes big and filled to the last byte, for tests of writing
// to a full disk. Needs the right to mount (root); mounted() tells whether it could be made. Unmounted when
// the test ends.
#pragma once

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace testsupport {

class FullFolder {
public:
    FullFolder();
    ~FullFolder();
    FullFolder(const FullFolder&) = delete;
    FullFolder& operator=(const FullFolder&) = delete;

    bool mounted() const { return mounted_; }
    const std::filesystem::path& path() const { return folder_.path(); }
    // Frees the space again, and fills it again.
    void empty();
    void fill();

private:
    TempDir folder_{"full"};
    bool mounted_ = false;
};

}  // namespace testsupport
