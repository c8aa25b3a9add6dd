// Copies of stored state kept aside: byte for byte under a name of their own, never over anything, and
// nothing left behind when they cannot be written.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/core/kept_aside.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(KeptAside, ACopyHoldsTheBytesUnderANewNameAndTheFileStays)
{
    testsupport::TempDir folder("kept");
    const fs::path path = folder / "Session.cbor";
    std::ofstream(path, std::ios::binary) << "as it is now";
    const core::Data bytes{'r', 'e', 'a', 'd', '\0', 0xff};

    const auto first = core::keepCopyAside(path.string(), bytes);
    const auto second = core::keepCopyAside(path.string(), bytes);
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    EXPECT_EQ(fs::path(*first).filename().string().rfind("Session.cbor.unreadable-", 0), 0u) << *first;
    EXPECT_EQ(contentsOf(*first), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(contentsOf(*second), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(contentsOf(path), "as it is now");

    // A folder that has gone: the reason, and nothing written.
    int error = 0;
    EXPECT_FALSE(core::keepCopyAside((folder / "gone" / "Session.cbor").string(), bytes, &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(testsupport::namesIn(folder.path()).size(), 3u);
}

}  // namespace
