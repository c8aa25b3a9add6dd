// A folder of its own for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

class TempDir {
public:
    explicit TempDir(const std::string& prefix = "test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The names of everything in the folder, sorted.
std::vector<std::string> namesIn(const std::filesystem::path& folder);

}  // namespace testsupport
