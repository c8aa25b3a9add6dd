#include "platform/core/user_defaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/core/notification_center.h"
#include "platform/core/property_list.h"
#include "platform/core/user_notices.h"
#include "tests/support/child_entry.h"
#include "tests/support/child_process.h"
#include "tests/support/full_folder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait_until.h"

namespace fs = std::filesystem;
using core::Array;
using core::Data;
using core::Dictionary;
using core::UserDefaults;
using core::Value;

namespace {

constexpr char childPathVariable[] = "VISTREL_DEFAULTS_TEST_PATH";

Dictionary everyKind()
{
    return Dictionary{
        {"int", std::int64_t(-1234567890123)},
        {"real", 0.1},
        {"third", 1.0 / 3.0},
        {"yes", true},
        {"no", false},
        {"text", "snaps & <movies> ü"},
        {"date", core::Date::fromUnixTime(1700000000.125)},
        {"data", Data{0, 255, 10, 13}},
        {"strings", Array{"a", "b"}},
        {"empty array", Array{}},
        {"dictionary", Dictionary{{"z", 1}, {"a", Array{2.5}}}},
    };
}

ino_t inodeOf(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

}  // namespace

// Run only by RoundTripsEveryKindThroughANewProcess, in a child process: writes every kind and exits.
CHILD_ENTRY(UserDefaultsChild, WriteEveryKind)
{
    const char* path = std::getenv(childPathVariable);
    ASSERT_NE(path, nullptr);
    UserDefaults defaults{std::string(path)};
    for (const auto& [key, value] : everyKind())
        EXPECT_TRUE(defaults.set(key, value));
    defaults.remove("no");
    EXPECT_TRUE(defaults.synchronize());
}

// Run only by ACrashDuringAWriteLeavesTheLastCompleteFile, in a child process: writes until killed.
CHILD_ENTRY(UserDefaultsChild, WriteUntilKilled)
{
    const char* path = std::getenv(childPathVariable);
    ASSERT_NE(path, nullptr);
    UserDefaults defaults{std::string(path)};
    for (std::int64_t round = 1;; ++round) {
        EXPECT_TRUE(defaults.set("blob", Data(std::size_t(1 << 20), std::uint8_t(round))));
        EXPECT_TRUE(defaults.set("round", round));
    }
}

TEST(UserDefaults, RoundTripsEveryKindThroughANewProcess)
{
    testsupport::TempDir folder;
    const std::string path = (folder / "config" / "net.example.App.plist").string();
    const int status = testsupport::waitForExit(
        testsupport::spawnSelf("UserDefaultsChild.WriteEveryKind", {{childPathVariable, path}}));
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    UserDefaults relaunched{path};
    Dictionary expected = everyKind();
    expected.remove("no");
    for (const auto& [key, value] : expected)
        EXPECT_EQ(relaunched.object(key), value) << key;
    EXPECT_EQ(relaunched.object("no"), std::nullopt);
    EXPECT_EQ(relaunched.object("real")->asDouble(), 0.1);
    EXPECT_EQ(relaunched.object("int")->kind(), Value::Kind::integer);
    EXPECT_EQ(relaunched.object("yes")->kind(), Value::Kind::boolean);
    EXPECT_EQ(relaunched.array("empty array"), Array{});
    EXPECT_EQ(relaunched.dictionary("dictionary")->keys(), (std::vector<std::string>{"z", "a"}));
}

TEST(UserDefaults, ACrashDuringAWriteLeavesTheLastCompleteFile)
{
    testsupport::TempDir folder;
    const std::string path = (folder / "crash.plist").string();
    const pid_t child = testsupport::spawnSelf("UserDefaultsChild.WriteUntilKilled",
                                               {{childPathVariable, path}, {"TMPDIR", folder.path().string()}});
    ASSERT_GT(child, 0);
    // Let a few complete files replace one another, then kill the writer wherever it is.
    EXPECT_TRUE(testsupport::waitUntil([&] { return inodeOf(path) != 0; }));
    const ino_t first = inodeOf(path);
    EXPECT_TRUE(testsupport::waitUntil([&] { return inodeOf(path) != first; }));
    kill(child, SIGKILL);
    const int status = testsupport::waitForExit(child);
    ASSERT_TRUE(WIFSIGNALED(status));

    const auto stored = core::PropertyList::read(core::Url::fileURL(path));
    ASSERT_TRUE(stored) << "the file is not a whole property list";
    const auto blob = stored->dictionaryPointer()->find("blob")->data();
    ASSERT_TRUE(blob);
    EXPECT_EQ(blob->size(), std::size_t(1 << 20));
    UserDefaults reopened{path};
    EXPECT_TRUE(reopened.object("blob"));
}

TEST(UserDefaults, ChangesReplaceTheFileByRenameNeverInPlace)
{
    testsupport::TempDir folder;
    const std::string path = (folder / "rename.plist").string();
    UserDefaults defaults{path};
    EXPECT_TRUE(defaults.set("a", 1));
    const ino_t before = inodeOf(path);
    ASSERT_NE(before, 0u);
    EXPECT_TRUE(defaults.set("a", 2));
    EXPECT_NE(inodeOf(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(UserDefaults, TypedGettersNeverConvert)
{
    testsupport::TempDir folder;
    UserDefaults defaults{(folder / "typed.plist").string()};
    EXPECT_TRUE(defaults.set("number", 3));
    EXPECT_TRUE(defaults.set("text", "3"));
    EXPECT_TRUE(defaults.set("list", Array{}));
    EXPECT_EQ(defaults.string("number"), std::nullopt);
    EXPECT_EQ(defaults.string("text"), "3");
    EXPECT_EQ(defaults.array("text"), std::nullopt);
    EXPECT_EQ(defaults.array("list"), Array{});
    EXPECT_EQ(defaults.dictionary("list"), std::nullopt);
    EXPECT_EQ(defaults.data("text"), std::nullopt);
    EXPECT_EQ(defaults.date("number"), std::nullopt);
    EXPECT_EQ(defaults.object("missing"), std::nullopt);
}

TEST(UserDefaults, NullRemovesAndValuesHoldingNullAreRefused)
{
    testsupport::TempDir folder;
    const std::string path = (folder / "nulls.plist").string();
    UserDefaults defaults{path};
    EXPECT_TRUE(defaults.set("a", 1));
    EXPECT_TRUE(defaults.set("a", Value()));
    EXPECT_EQ(defaults.object("a"), std::nullopt);
    EXPECT_TRUE(defaults.set("b", "kept"));
    EXPECT_FALSE(defaults.set("b", Array{Value()}));
    EXPECT_EQ(defaults.string("b"), "kept");
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(UserDefaults(path).string("b"), "kept");
}

TEST(UserDefaults, ACorruptFileStartsEmptyAndIsReplacedOnTheNextChange)
{
    testsupport::TempDir folder;
    const std::string path = (folder / "corrupt.plist").string();
    EXPECT_TRUE(core::writeAtomically(core::dataFromString("<plist><dict><key>a</key>"), path));
    UserDefaults defaults{path};
    EXPECT_EQ(defaults.object("a"), std::nullopt);
    EXPECT_TRUE(defaults.set("b", true));
    EXPECT_EQ(UserDefaults(path).object("b"), Value(true));
}

TEST(UserDefaults, SynchronizeReportsAStoreThatCannotBeWritten)
{
    testsupport::TempDir folder;
    std::ofstream(folder / "file") << "x";
    UserDefaults defaults{(folder / "file" / "defaults.plist").string()};  // a file stands where its folder should be
    EXPECT_TRUE(defaults.set("a", 1));
    EXPECT_EQ(defaults.object("a"), Value(1));
    EXPECT_FALSE(defaults.synchronize());
}

TEST(UserDefaults, ConcurrentWritersLoseNothing)
{
    testsupport::TempDir folder;
    const std::string path = (folder / "threads.plist").string();
    {
        UserDefaults defaults{path};
        std::vector<std::thread> writers;
        for (int t = 0; t < 4; ++t) {
            writers.emplace_back([&defaults, t] {
                for (int i = 0; i < 25; ++i) {
                    EXPECT_TRUE(defaults.set("k" + std::to_string(t) + "-" + std::to_string(i), i));
                    defaults.object("k0-0");
                }
            });
        }
        for (auto& writer : writers)
            writer.join();
    }
    UserDefaults reopened{path};
    for (int t = 0; t < 4; ++t) {
        for (int i = 0; i < 25; ++i)
            EXPECT_EQ(reopened.object("k" + std::to_string(t) + "-" + std::to_string(i)), Value(i));
    }
}

TEST(UserDefaults, TheStandardStoreLivesInTheConfigFolderUnderTheBundleIdentifier)
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(UserDefaults::standardPath(), (fs::path(config) / "test_platform_core.plist").string());
    EXPECT_EQ(UserDefaults::standard(), UserDefaults::standard());
    EXPECT_TRUE(UserDefaults::standard()->set("standard", 1));
    EXPECT_TRUE(fs::exists(UserDefaults::standardPath()));
}

TEST(UserDefaults, AnnouncesEachRealChangeWithItsKey)
{
    testsupport::TempDir dir;
    UserDefaults defaults((dir / "d.plist").string());
    std::vector<std::string> keys;
    struct Listener : core::Object {};
    const auto listener = core::make<Listener>();
    const core::Object* ownerId = listener.get();
    auto& center = core::NotificationCenter::defaultCenter();
    center.addObserver(ownerId, UserDefaults::didChangeNotification, nullptr, [&](const core::Notification& n) {
        keys.push_back(std::any_cast<std::string>(n.userInfo.at("key")));
    });
    EXPECT_TRUE(defaults.set("a", Value(std::int64_t(1))));
    EXPECT_TRUE(defaults.set("a", Value(std::int64_t(1))));
    EXPECT_TRUE(defaults.set("b", Value(std::string("x"))));
    defaults.remove("a");
    defaults.remove("missing");
    center.removeObserver(ownerId);
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "b", "a"}));
}

namespace {

using testsupport::namesIn;

}  // namespace

TEST(UserDefaults, EveryStringComesBackExactlyOrIsRefusedWithoutSpoilingLaterSaves)
{
    testsupport::TempDir folder;
    const std::string path = (folder / "strings.plist").string();
    const std::vector<std::string> storable = {"a\rb",     "\r\n",         "line\nbreak\r", "\ttab",
                                               " spaces ", "é 🎞 \x7f", "]]> & <x/>"};
    const std::vector<std::string> refused = {std::string("nul\0byte", 8),
                                              "bell\x07",
                                              "\x1b[0m",
                                              "\xEF\xBF\xBE",
                                              "\xEF\xBF\xBF",
                                              "\xFF\xFE",
                                              "cut \xC3",
                                              "\xC0\xAF",
                                              "\xED\xA0\x80"};
    core::UserNotices::takePending();
    {
        UserDefaults defaults{path};
        for (std::size_t i = 0; i < storable.size(); ++i) {
            EXPECT_TRUE(defaults.set("s" + std::to_string(i), storable[i]));
            EXPECT_TRUE(defaults.set(storable[i], std::int64_t(i))) << "as a key";
        }
        for (const auto& text : refused) {
            EXPECT_FALSE(defaults.set("bad", text));
            EXPECT_FALSE(defaults.set(text, 1)) << "as a key";
            EXPECT_FALSE(defaults.set("list", Array{"fine", text}));
            EXPECT_FALSE(defaults.set("dict", Dictionary{{text, 1}}));
        }
        EXPECT_EQ(defaults.object("bad"), std::nullopt);
        // Later changes are saved as ever.
        EXPECT_TRUE(defaults.set("after", "saved"));
        EXPECT_TRUE(defaults.synchronize());
    }
    UserDefaults reopened{path};
    for (std::size_t i = 0; i < storable.size(); ++i) {
        EXPECT_EQ(reopened.string("s" + std::to_string(i)), storable[i]);
        EXPECT_EQ(reopened.object(storable[i]), Value(std::int64_t(i)));
    }
    EXPECT_EQ(reopened.string("after"), "saved");
    EXPECT_TRUE(core::UserNotices::takePending().empty());
}

TEST(UserDefaults, AnUnreadableSettingsFileIsKeptAsideAndTheUserTold)
{
    testsupport::TempDir folder;
    const std::string path = (folder / "hostile.plist").string();
    const Data document = *core::PropertyList::write(Value(everyKind()));
    const std::string whole(document.begin(), document.end());
    std::string flipped = whole;
    flipped[whole.find("<dict>") + 1] ^= 0x20;
    std::string random(3000, '\0');
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = char((i * 2654435761u) >> 13);
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"empty", ""},
        {"truncated", whole.substr(0, whole.size() / 2)},
        {"flipped", flipped},
        {"random", random},
        {"not a dictionary", "<plist version=\"1.0\"><array/></plist>"}};
    auto check = [&](const std::string& what, const std::function<void()>& make, bool regular) {
        SCOPED_TRACE(what);
        fs::remove_all(folder.path());
        fs::create_directories(folder.path());
        make();
        core::UserNotices::takePending();
        UserDefaults defaults{path};
        // Nothing is left under the name (a save must never write through a link to a device).
        ASSERT_FALSE(fs::exists(fs::symlink_status(path)));
        EXPECT_EQ(defaults.object("int"), std::nullopt);
        EXPECT_EQ(core::UserNotices::takePending().size(), 1u);
        const auto names = namesIn(folder.path());
        ASSERT_EQ(names.size(), 1u);
        EXPECT_EQ(names[0].rfind("hostile.plist.unreadable-", 0), 0u) << names[0];
        const fs::path aside = folder / names[0];
        EXPECT_EQ(fs::is_regular_file(fs::symlink_status(aside)), regular);
        // The next change writes a file of its own and leaves the one kept aside alone.
        EXPECT_TRUE(defaults.set("a", 1));
        EXPECT_EQ(UserDefaults(path).object("a"), Value(1));
        EXPECT_TRUE(fs::exists(fs::symlink_status(aside)));
    };
    for (const auto& [what, bytes] : damaged)
        check(
            what, [&, bytes = bytes] { std::ofstream(path, std::ios::binary) << bytes; }, true);
    check(
        "linked to /dev/zero", [&] { fs::create_symlink("/dev/zero", path); }, false);
    check(
        "a FIFO", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, false);
    check(
        "too big",
        [&] {
            std::ofstream(path) << "<plist>";
            fs::resize_file(path, core::FileDefaultsStorage::largestFile + 1);
        },
        true);
}

TEST(UserDefaults, AnUnreadableSettingsFileThatCannotBeMovedIsNeverSavedOver)
{
    testsupport::TempDir folder;
    // A name as long as a name may be, but for the room a kept-aside name needs: the rename cannot be made.
    const std::string path = (folder / (std::string(235, 's') + ".plist")).string();
    const std::string damaged = "<plist><dict><key>a</key>";
    std::ofstream(path, std::ios::binary) << damaged;
    core::UserNotices::takePending();
    UserDefaults defaults{path};
    const auto notices = core::UserNotices::takePending();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].information.find("nothing is saved over it"), std::string::npos) << notices[0].information;
    EXPECT_NE(notices[0].information.find("File name too long"), std::string::npos) << notices[0].information;

    // Changes are kept for this run only; the file stays as it was, and alone.
    EXPECT_TRUE(defaults.set("a", 1));
    EXPECT_EQ(defaults.object("a"), Value(1));
    EXPECT_FALSE(defaults.synchronize());
    std::ifstream kept(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), damaged);
    EXPECT_EQ(namesIn(folder.path()).size(), 1u);
}

TEST(UserDefaults, AFailedSaveIsToldOnceAndRetriedAtTheNextChange)
{
    testsupport::FullFolder full;
    if (!full.mounted()) GTEST_SKIP() << "no right to mount a small file system here";
    core::UserNotices::takePending();
    UserDefaults defaults{(full.path() / "full.plist").string()};
    EXPECT_TRUE(defaults.set("a", 1));
    EXPECT_TRUE(defaults.set("b", 2));
    EXPECT_FALSE(defaults.synchronize());
    const auto notices = core::UserNotices::takePending();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].information.find("No space left on device"), std::string::npos) << notices[0].information;

    full.empty();
    EXPECT_TRUE(defaults.set("c", 3));
    EXPECT_EQ(UserDefaults((full.path() / "full.plist").string()).object("b"), Value(2));
    full.fill();
    EXPECT_TRUE(defaults.set("d", std::string(8000, 'd')));
    EXPECT_EQ(core::UserNotices::takePending().size(), 1u) << "told again after a save that worked";
}

TEST(UserDefaults, TemporaryFilesOfKilledWritersGoAtStart)
{
    testsupport::TempDir folder;
    const fs::path leftover = folder / ".kept.plist.Xy12Zw.part";
    std::ofstream(leftover) << "<plist>";
    const timespec old{::time(nullptr) - 3600, 0};
    const timespec times[2] = {old, old};
    ::utimensat(AT_FDCWD, leftover.c_str(), times, 0);
    UserDefaults defaults{(folder / "kept.plist").string()};
    EXPECT_FALSE(fs::exists(leftover));
}
