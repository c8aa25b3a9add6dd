#include "platform/core/unpublished_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using core::NewFileResult;
using core::UnpublishedFile;

namespace {

using testsupport::namesIn;

class UnpublishedFileTest : public ::testing::TestWithParam<UnpublishedFile::Storage> {
protected:
    std::unique_ptr<UnpublishedFile> make(const std::string& contents, const std::string& hint = "frame.png")
    {
        auto file = UnpublishedFile::create(dir.path().string(), hint, GetParam());
        EXPECT_TRUE(file);
        if (file) {
            EXPECT_TRUE(file->write(core::dataFromString(contents)));
        }
        return file;
    }

    testsupport::TempDir dir;
};

}  // namespace

TEST_P(UnpublishedFileTest, ShowsUnderNoNameOfItsOwnUntilPublishedAndLeavesNothingWhenDropped)
{
    auto file = make("contents");
    ASSERT_TRUE(file);
    const auto names = namesIn(dir.path());
    if (file->storage() == UnpublishedFile::Storage::unnamed) {
        EXPECT_TRUE(names.empty());
    } else {
        ASSERT_EQ(names.size(), 1u);
        EXPECT_TRUE(names[0].starts_with(".frame.png.") && names[0].ends_with(".part")) << names[0];
    }
    file.reset();
    EXPECT_TRUE(namesIn(dir.path()).empty());
}

TEST_P(UnpublishedFileTest, PublishingAsNewNeverReplacesAndPublishesOnce)
{
    const fs::path taken = dir / "frame.png";
    ASSERT_TRUE(core::writeAtomically(core::dataFromString("mine"), taken.string()));
    fs::create_symlink(dir / "nowhere", dir / "link.png");
    auto file = make("new");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->publishAsNew(taken.string()), NewFileResult::exists);
    EXPECT_EQ(file->publishAsNew((dir / "link.png").string()), NewFileResult::exists);
    EXPECT_EQ(file->publishAsNew((dir / "missing/frame.png").string()), NewFileResult::failed);
    EXPECT_EQ(file->publishAsNew((dir / "frame (0).png").string()), NewFileResult::created);
    EXPECT_EQ(file->publishAsNew((dir / "frame (1).png").string()), NewFileResult::failed);
    EXPECT_FALSE(file->write(core::dataFromString("more")));
    file.reset();
    EXPECT_EQ(core::readUTF8(taken.string()), "mine");
    EXPECT_EQ(core::readUTF8((dir / "frame (0).png").string()), "new");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"frame (0).png", "frame.png", "link.png"}));
}

TEST_P(UnpublishedFileTest, PublishingReplacingKeepsTheReplacedFilesPermissions)
{
    const fs::path target = dir / "notes.txt";
    ASSERT_TRUE(core::writeAtomically(core::dataFromString("old"), target.string()));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    auto file = make("new", "notes.txt");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->publishReplacing(target.string()));
    EXPECT_FALSE(file->publishReplacing(target.string()));
    EXPECT_EQ(core::readUTF8(target.string()), "new");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A folder in the way stays, and the file is dropped.
    fs::create_directory(dir / "folder");
    fs::create_directory(dir / "folder" / "inner");
    file = make("x", "folder");
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->publishReplacing((dir / "folder").string()));
    file.reset();
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"folder", "notes.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Storage, UnpublishedFileTest,
                         ::testing::Values(UnpublishedFile::Storage::unnamed, UnpublishedFile::Storage::hidden),
                         [](const auto& info) {
                             return info.param == UnpublishedFile::Storage::unnamed ? "Unnamed" : "Hidden";
                         });

TEST(UnpublishedFile, AHiddenNameStaysWithinTheLimitsOfAName)
{
    testsupport::TempDir dir;
    std::string hint;
    for (int i = 0; i < 100; ++i)
        hint += "é/";
    auto file = UnpublishedFile::create(dir.path().string(), hint, UnpublishedFile::Storage::hidden);
    ASSERT_TRUE(file);
    const auto names = namesIn(dir.path());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_LE(names[0].size(), 255u);
    EXPECT_EQ(names[0].find('/'), std::string::npos);
    EXPECT_FALSE(UnpublishedFile::create((dir / "missing").string(), "x", UnpublishedFile::Storage::unnamed));
}

TEST(WriteAtomically, WritesThroughALinkAndLeavesNoTemporary)
{
    testsupport::TempDir dir;
    fs::create_directory(dir / "real");
    ASSERT_TRUE(core::writeAtomically(core::dataFromString("one"), (dir / "real" / "file.txt").string()));
    fs::create_symlink(fs::path("real") / "file.txt", dir / "link.txt");
    ASSERT_TRUE(core::writeAtomically(core::dataFromString("two"), (dir / "link.txt").string()));
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(core::readUTF8((dir / "real" / "file.txt").string()), "two");
    EXPECT_EQ(namesIn(dir / "real"), std::vector<std::string>{"file.txt"});
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"link.txt", "real"}));
}

namespace {

void makeFile(const fs::path& path) { std::ofstream(path) << "bytes"; }

// Last changed `seconds` ago.
void age(const fs::path& path, long seconds)
{
    const timespec now{::time(nullptr) - seconds, 0};
    const timespec times[2] = {now, now};
    ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

}  // namespace

TEST(UnpublishedFile, LeftoversOfOursGoOnceNoWriterHoldsThemAndNothingElseIsTouched)
{
    testsupport::TempDir dir;
    const long old = long(UnpublishedFile::leftoverAge) + 60;
    // One that a writer of ours is still writing, however long it has taken.
    auto writing = UnpublishedFile::create(dir.path().string(), "slow.png", UnpublishedFile::Storage::hidden);
    ASSERT_TRUE(writing);
    std::string writingName;
    for (const auto& name : namesIn(dir.path()))
        if (name.rfind(".slow.png.", 0) == 0) writingName = name;
    ASSERT_FALSE(writingName.empty());
    age(dir / writingName, old);
    // Ours, left by a kill: old and held by nobody.
    for (const char* name : {".frame.png.Ab12Cd.part", ".Session.cbor.ZZZZZZ.part", "..x0x0x0.part"}) {
        makeFile(dir / name);
        age(dir / name, old);
    }
    // Not ours, or not a leftover: someone else's names, a fresh one, a folder and a link named like ours.
    const std::vector<std::string> kept = {
        ".download.part",         "frame.png.Ab12Cd.part",     ".frame.png.Ab12Cde.part",
        ".frame.png.Ab-2Cd.part", ".frame.png.Ab12Cd.partial", ".fresh.Ab12Cd.part",
        ".folder.Ab12Cd.part",    ".link.Ab12Cd.part",         "movie.mp4"};
    for (const auto& name : kept)
        if (name != ".folder.Ab12Cd.part" && name != ".link.Ab12Cd.part") makeFile(dir / name);
    fs::create_directory(dir / ".folder.Ab12Cd.part");
    fs::create_symlink(dir / "movie.mp4", dir / ".link.Ab12Cd.part");
    for (const auto& name : kept)
        if (name != ".fresh.Ab12Cd.part") age(dir / name, old);

    EXPECT_EQ(UnpublishedFile::removeLeftovers(dir.path().string()), 3);
    std::vector<std::string> expected = kept;
    expected.push_back(writingName);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(dir.path()), expected);

    // Once its writer has gone (dropped without publishing here stands for a kill), it goes too.
    ASSERT_EQ(::link((dir / writingName).c_str(), (dir / ".slow.png.Kept00.part").c_str()), 0);
    writing.reset();
    age(dir / ".slow.png.Kept00.part", old);
    EXPECT_EQ(UnpublishedFile::removeLeftovers(dir.path().string()), 1);
    EXPECT_FALSE(fs::exists(dir / ".slow.png.Kept00.part"));
}

TEST(WriteAtomically, RemovesOldLeftoversOfOursFromTheFolderItWritesTo)
{
    testsupport::TempDir dir;
    makeFile(dir / ".frame.png.Ab12Cd.part");
    age(dir / ".frame.png.Ab12Cd.part", long(UnpublishedFile::leftoverAge) + 60);
    makeFile(dir / ".other.Ab12Cd.part");
    ASSERT_TRUE(core::writeAtomically(core::dataFromString("new"), (dir / "frame.png").string()));
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{".other.Ab12Cd.part", "frame.png"}));
}

TEST(WriteAtomically, NeverReplacesADeviceOrAFifoThatALinkLeadsTo)
{
    testsupport::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink(dir / "fifo", dir / "to-fifo");
    std::vector<std::string> names = {"fifo", "to-fifo"};
    // A device node of the test's own (where it may make one), never one of the system's.
    if (::mknod((dir / "device").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
        fs::create_symlink(dir / "device", dir / "to-device");
        names.insert(names.end(), {"device", "to-device"});
    }
    for (const auto& name : names)
        EXPECT_FALSE(core::writeAtomically(core::dataFromString("bytes"), (dir / name).string())) << name;
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    if (names.size() > 2) {
        EXPECT_TRUE(fs::is_character_file(dir / "device"));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(namesIn(dir.path()), names);
}
