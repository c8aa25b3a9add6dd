#include "foundation/file_manager_extensions.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <thread>

#include "platform/core/error.h"
#include "tests/foundation/test_bundle.h"
#include "tests/support/temp_dir.h"

using core::FileManager;
using core::Url;

namespace {

void touch(const std::filesystem::path& path)
{
    ASSERT_TRUE(core::writeAtomically(core::dataFromString("x"), path.string()));
}

Url urlOf(const std::filesystem::path& path) { return Url::fileURL(path.string()); }

// A manager that counts the existence questions it is asked.
struct CountingManager : FileManager {
    mutable int asked = 0;
    bool fileExists(const std::string& path, bool* isDirectory) const override
    {
        ++asked;
        return FileManager::fileExists(path, isDirectory);
    }
};

}  // namespace

TEST(FreeName, NumbersFromZeroAndCountsFoldersAsTaken)
{
    testsupport::TempDir dir;
    auto& fm = *FileManager::defaultManager();
    EXPECT_EQ(kestrane::alternative(fm, urlOf(dir / "a.mov")), urlOf(dir / "a.mov"));
    touch(dir / "a.mov");
    EXPECT_EQ(kestrane::alternative(fm, urlOf(dir / "a.mov")), urlOf(dir / "a (0).mov"));
    touch(dir / "a (0).mov");
    std::filesystem::create_directory(dir / "a (1).mov");
    EXPECT_EQ(kestrane::alternative(fm, urlOf(dir / "a.mov")), urlOf(dir / "a (2).mov"));

    touch(dir / "clip (0).png");
    EXPECT_EQ(kestrane::alternative(fm, urlOf(dir / "clip (0).png")), urlOf(dir / "clip (0) (0).png"));
    touch(dir / "notes");
    EXPECT_EQ(kestrane::alternative(fm, urlOf(dir / "notes")), urlOf(dir / "notes (0)"));

    // Names promised but not yet written count as taken too.
    const auto promised = [&](const core::Url& url) {
        return url == urlOf(dir / "a (2).mov") || url == urlOf(dir / "b.mov");
    };
    EXPECT_EQ(kestrane::alternative(fm, urlOf(dir / "a.mov"), promised), urlOf(dir / "a (3).mov"));
    EXPECT_EQ(kestrane::alternative(fm, urlOf(dir / "b.mov"), promised), urlOf(dir / "b (0).mov"));
}

TEST(FreeName, InFolderAsksTheDefaultManager)
{
    testsupport::TempDir dir;
    touch(dir / "x.png");
    const auto receiver = core::make<CountingManager>();
    const auto counting = core::make<CountingManager>();
    const auto plain = FileManager::defaultManager();
    const auto previous = FileManager::setDefaultManager(counting);
    const Url named = kestrane::alternative(*receiver, "x.png", urlOf(dir.path()));
    FileManager::setDefaultManager(previous);
    EXPECT_EQ(named, kestrane::alternative(*plain, urlOf(dir / "x.png")));
    EXPECT_EQ(named, urlOf(dir / "x (0).png"));
    EXPECT_EQ(receiver->asked, 0);
    EXPECT_EQ(counting->asked, 2);
}

TEST(FreeName, WritingNeverGivesOneNameTwiceNorReplacesAnything)
{
    testsupport::TempDir dir;
    auto fm = FileManager::defaultManager();
    const Url wanted = urlOf(dir / "frame.png");
    touch(dir / "frame (1).png");
    constexpr int Threads = 12;
    constexpr int WritesPerThread = 25;
    std::mutex mutex;
    std::vector<std::pair<Url, std::string>> written;
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < WritesPerThread; ++i) {
                const std::string contents = std::to_string(t) + "/" + std::to_string(i);
                const auto url = kestrane::writeToFreeName(*fm, wanted, [&] { return core::dataFromString(contents); });
                ASSERT_TRUE(url);
                std::lock_guard lock(mutex);
                written.emplace_back(*url, contents);
            }
        });
    for (auto& thread : threads)
        thread.join();

    ASSERT_EQ(written.size(), std::size_t(Threads * WritesPerThread));
    std::set<Url> distinct;
    for (const auto& [url, contents] : written) {
        distinct.insert(url);
        EXPECT_EQ(core::readUTF8(url.path()), contents) << url.path();
    }
    EXPECT_EQ(distinct.size(), written.size()) << "a name was handed out twice";
    EXPECT_TRUE(distinct.count(wanted));
    EXPECT_TRUE(distinct.count(urlOf(dir / "frame (0).png")));
    EXPECT_FALSE(distinct.count(urlOf(dir / "frame (1).png")));
    EXPECT_EQ(core::readUTF8((dir / "frame (1).png").string()), "x");
    // Every file of the folder is one of those written, or the one that was there: no temporary is left.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), long(written.size()) + 1);
}

TEST(FreeName, WritingThatFailsLeavesNothingBehind)
{
    testsupport::TempDir dir;
    auto& fm = *FileManager::defaultManager();
    const auto bytes = [] { return core::dataFromString("x"); };
    EXPECT_FALSE(kestrane::writeToFreeName(fm, urlOf(dir / "missing/frame.png"), bytes));
    EXPECT_FALSE(kestrane::writeToFreeName(fm, urlOf(dir / "frame.png"), [] { return std::optional<core::Data>(); }));
    EXPECT_FALSE(kestrane::writeToFreeName(fm, *Url::fromString("https://example.com/frame.png"), bytes));
    // A name taken by a link to nowhere stays as it is.
    std::filesystem::create_symlink(dir / "nowhere", dir / "link.png");
    EXPECT_EQ(kestrane::writeToFreeName(fm, urlOf(dir / "link.png"), bytes), urlOf(dir / "link (0).png"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.png"));
    std::filesystem::remove(dir / "link.png");
    std::filesystem::remove(dir / "link (0).png");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(EnumerateFiles, GivesFilesThenEverythingVisibleUnderFolders)
{
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir / "drop/sub");
    std::filesystem::create_directories(dir / "drop/.cache");
    touch(dir / "drop/.cache/x.mov");
    touch(dir / "drop/sub/b.mov");
    touch(dir / "drop/a.mov");
    touch(dir / "drop/.hidden.mov");
    touch(dir / "single.mp4");

    std::vector<std::string> seen;
    kestrane::enumerateFiles(
        *FileManager::defaultManager(), {urlOf(dir / "single.mp4"), urlOf(dir / "drop"), urlOf(dir / "absent.mov")},
        [&](const Url& url) { seen.push_back(std::filesystem::path(url.path()).lexically_relative(dir.path())); });
    EXPECT_EQ(seen, (std::vector<std::string>{"single.mp4", "drop/a.mov", "drop/sub", "drop/sub/b.mov", "absent.mov"}));
}

TEST(EnumerateFiles, ListsEachFolderAsFileManagersDo)
{
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir / "drop/Clip3");
    for (const char* name :
         {"clip10.mov", "clip2.mov", "Clip1.mov", "clip100.mov", "clip02.mov", "b.mov", "Clip3/x.mov"})
        touch(dir / "drop" / name);
    std::vector<std::string> seen;
    kestrane::enumerateFiles(*FileManager::defaultManager(), {urlOf(dir / "drop")}, [&](const Url& url) {
        seen.push_back(std::filesystem::path(url.path()).lexically_relative(dir / "drop"));
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"b.mov", "Clip1.mov", "clip02.mov", "clip2.mov", "Clip3", "Clip3/x.mov",
                                              "clip10.mov", "clip100.mov"}));
}

TEST(FileManagerExtensions, RemovalIgnoresFailures)
{
    testsupport::TempDir dir;
    auto& fm = *FileManager::defaultManager();
    touch(dir / "gone");
    kestrane::tryToRemoveItem(fm, urlOf(dir / "gone"));
    EXPECT_FALSE(std::filesystem::exists(dir / "gone"));
    EXPECT_NO_THROW(kestrane::tryToRemoveItem(fm, urlOf(dir / "gone")));

    const auto exists = kestrane::contentExists(fm, urlOf(dir.path()));
    EXPECT_TRUE(exists.exist);
    EXPECT_TRUE(exists.isDir);
    EXPECT_FALSE(kestrane::contentExists(fm, urlOf(dir / "gone")).exist);
}

TEST(FileManagerExtensions, CreatingFoldersThrowsThePlatformError)
{
    testsupport::TempDir dir;
    auto& fm = *FileManager::defaultManager();
    const Url made = kestrane::createDirectory(fm, urlOf(dir / "a"), "b/c");
    EXPECT_EQ(made, urlOf(dir / "a/b/c"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a/b/c"));
    touch(dir / "file");
    EXPECT_THROW(kestrane::createDirectory(fm, urlOf(dir / "file")), core::Error);
}

TEST(FileManagerExtensions, SupportFolderIsTheFirstOneOffered)
{
    struct Offering : FileManager {
        std::vector<Url> folders;
        std::vector<Url> applicationSupportDirectories() const override { return folders; }
    };
    auto offering = core::make<Offering>();
    EXPECT_FALSE(kestrane::applicationsSupportDirectoryURL(*offering));
    offering->folders = {Url::fileURL("/first"), Url::fileURL("/second")};
    EXPECT_EQ(kestrane::applicationsSupportDirectoryURL(*offering), Url::fileURL("/first"));
}

TEST(FileManagerExtensions, BundleSupportFolderIsNamedAfterTheMainBundle)
{
    struct Offering : FileManager {
        std::vector<Url> folders;
        std::vector<Url> applicationSupportDirectories() const override { return folders; }
    };
    testsupport::TempDir dir;
    testsupport::TestBundle bundle(core::Dictionary{{"CFBundleName", "Snapper"}});
    core::Bundle::setMain(bundle.shared());
    auto offering = core::make<Offering>();
    EXPECT_FALSE(kestrane::bundleSupportDirectoryURL(*offering));
    EXPECT_FALSE(kestrane::createBundleSupportDirectory(*offering));

    offering->folders = {urlOf(dir / "share")};
    EXPECT_EQ(kestrane::bundleSupportDirectoryURL(*offering), urlOf(dir / "share/Snapper"));
    const auto made = kestrane::createBundleSupportDirectoryWithComponent(*offering, "Logs");
    EXPECT_EQ(made, urlOf(dir / "share/Snapper/Logs"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "share/Snapper/Logs"));
    ASSERT_TRUE(kestrane::createBundleSupportDirectory(*offering));

    touch(dir / "share/Snapper/taken");
    EXPECT_FALSE(kestrane::createBundleSupportDirectoryWithComponent(*offering, "taken")) << "the error is dropped";
    core::Bundle::setMain(nullptr);
}
