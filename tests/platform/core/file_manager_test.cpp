#include "platform/core/file_manager.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "platform/core/error.h"
#include "tests/support/temp_dir.h"

using core::DirectoryEnumerationOptions;
using core::FileManager;
using core::Url;

namespace {

void touch(const std::filesystem::path& path)
{
    ASSERT_TRUE(core::writeAtomically(core::dataFromString("x"), path.string()));
}

std::vector<std::string> walk(const std::filesystem::path& folder, DirectoryEnumerationOptions options)
{
    auto enumerator = FileManager::defaultManager()->enumerator(Url::fileURL(folder.string()), options);
    EXPECT_TRUE(enumerator);
    std::vector<std::string> seen;
    if (!enumerator) return seen;
    while (auto url = enumerator->next())
        seen.push_back(std::filesystem::path(url->path()).lexically_relative(folder).string());
    return seen;
}

}  // namespace

TEST(FileManager, FileExistsFollowsLinksAndTellsFolders)
{
    testsupport::TempDir dir;
    touch(dir / "file");
    std::filesystem::create_directory(dir / "folder");
    std::filesystem::create_symlink(dir / "folder", dir / "link");
    std::filesystem::create_symlink(dir / "nowhere", dir / "dangling");
    auto fm = FileManager::defaultManager();

    bool isDirectory = true;
    EXPECT_TRUE(fm->fileExists((dir / "file").string(), &isDirectory));
    EXPECT_FALSE(isDirectory);
    EXPECT_TRUE(fm->fileExists((dir / "link").string(), &isDirectory));
    EXPECT_TRUE(isDirectory);
    EXPECT_FALSE(fm->fileExists((dir / "dangling").string(), &isDirectory));
    EXPECT_FALSE(isDirectory);
    EXPECT_FALSE(fm->fileExists(""));
}

TEST(FileManager, RemoveItemRemovesFoldersWholeAndThrowsWhenNothingIsThere)
{
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir / "a/b");
    touch(dir / "a/b/c");
    auto fm = FileManager::defaultManager();
    fm->removeItem(Url::fileURL((dir / "a").string()));
    EXPECT_FALSE(std::filesystem::exists(dir / "a"));
    EXPECT_THROW(fm->removeItem(Url::fileURL((dir / "a").string())), core::Error);
}

TEST(FileManager, CreateDirectoryWithAndWithoutIntermediates)
{
    testsupport::TempDir dir;
    auto fm = FileManager::defaultManager();
    const Url deep = Url::fileURL((dir / "x/y/z").string());
    EXPECT_THROW(fm->createDirectory(deep, false), core::Error);
    fm->createDirectory(deep, true);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "x/y/z"));
    EXPECT_NO_THROW(fm->createDirectory(deep, true)) << "an existing folder is fine with intermediates";
    EXPECT_THROW(fm->createDirectory(deep, false), core::Error);
    touch(dir / "plain");
    EXPECT_THROW(fm->createDirectory(Url::fileURL((dir / "plain").string()), true), core::Error);
}

TEST(FileManager, CreateFileReplacesAndCreateNewFileNeverDoes)
{
    testsupport::TempDir dir;
    auto fm = FileManager::defaultManager();
    const std::string path = (dir / "f.txt").string();
    EXPECT_TRUE(fm->createFile(path, core::dataFromString("one")));
    EXPECT_TRUE(fm->createFile(path, core::dataFromString("two")));
    EXPECT_EQ(core::readUTF8(path), "two");

    EXPECT_EQ(fm->createNewFile(path), core::NewFileResult::exists);
    EXPECT_EQ(core::readUTF8(path), "two");
    EXPECT_EQ(fm->createNewFile((dir / "g").string()), core::NewFileResult::created);
    EXPECT_EQ(core::readData((dir / "g").string())->size(), 0u);
    EXPECT_EQ(fm->createNewFile((dir / "missing/g").string()), core::NewFileResult::failed);
}

TEST(DirectoryEnumerator, YieldsFoldersFirstSortedAndSkipsHiddenItems)
{
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir / "b/inner");
    std::filesystem::create_directories(dir / ".hidden");
    touch(dir / ".hidden/secret");
    touch(dir / "b/inner/deep");
    touch(dir / "b/.dot");
    touch(dir / "b/A");
    touch(dir / "c");
    touch(dir / "a");

    EXPECT_EQ(walk(dir.path(), DirectoryEnumerationOptions::skipsHiddenFiles),
              (std::vector<std::string>{"a", "b", "b/A", "b/inner", "b/inner/deep", "c"}));
    EXPECT_EQ(walk(dir.path(), DirectoryEnumerationOptions::none),
              (std::vector<std::string>{".hidden", ".hidden/secret", "a", "b", "b/.dot", "b/A", "b/inner",
                                        "b/inner/deep", "c"}));
}

TEST(DirectoryEnumerator, DoesNotFollowFolderLinksAndFailsOnMissingFolders)
{
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir / "real");
    touch(dir / "real/file");
    std::filesystem::create_directory_symlink(dir / "real", dir / "real/loop");
    EXPECT_EQ(walk(dir.path(), DirectoryEnumerationOptions::skipsHiddenFiles),
              (std::vector<std::string>{"real", "real/file", "real/loop"}));

    auto fm = FileManager::defaultManager();
    EXPECT_FALSE(fm->enumerator(Url::fileURL((dir / "absent").string()), DirectoryEnumerationOptions::none));
    touch(dir / "plain");
    EXPECT_FALSE(fm->enumerator(Url::fileURL((dir / "plain").string()), DirectoryEnumerationOptions::none));
}

TEST(FileManager, DefaultManagerCanBeReplaced)
{
    struct Recording : FileManager {
        mutable int asked = 0;
        bool fileExists(const std::string&, bool* isDirectory) const override
        {
            ++asked;
            if (isDirectory) *isDirectory = false;
            return true;
        }
    };
    auto recording = core::make<Recording>();
    auto previous = FileManager::setDefaultManager(recording);
    EXPECT_TRUE(FileManager::defaultManager()->fileExists("/surely/not/here"));
    EXPECT_EQ(recording->asked, 1);
    FileManager::setDefaultManager(previous);
    EXPECT_FALSE(FileManager::defaultManager()->fileExists("/surely/not/here"));
}
