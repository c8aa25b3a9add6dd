// The program started over a session file and a settings file it cannot read: it starts all the same, keeps
// both files aside untouched, tells the user in an alert each, and after the alerts are answered works and
// quits as ever, saving new files beside the ones kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/e2e/e2e_harness.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

std::string contentsOf(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The file of the folder whose name starts with `prefix`; empty when there is none.
fs::path fileStarting(const fs::path& folder, const std::string& prefix)
{
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind(prefix, 0) == 0) return entry.path();
    return {};
}

TEST(StoredState, UnreadableSessionAndSettingsAreKeptAsideAndToldAtStart)
{
    if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
    e2e::TestFolder folder("stored");
    const fs::path data = folder.path / "data" / "net.vistrel.Vistrel";
    const fs::path config = folder.path / "config";
    fs::create_directories(data);
    fs::create_directories(config);
    std::string session(700, '\0');
    for (std::size_t i = 0; i < session.size(); ++i)
        session[i] = char((i * 2654435761u) >> 9);
    const std::string settings = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>LaunchesCount</key>";
    std::ofstream(data / "Session.cbor", std::ios::binary) << session;
    std::ofstream(config / "net.vistrel.Vistrel.plist", std::ios::binary) << settings;

    e2e::XServer server;
    ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    e2e::Screen screen(server.display());
    e2e::Program program({}, e2e::programEnvironment(server, folder.path), folder / "run.log");

    // The drop window and an alert for each file.
    e2e::step("waiting for the alerts");
    ASSERT_TRUE(e2e::waitUntil([&] { return screen.windows(program.pid()).size() == 3; }, e2e::waitLimit))
        << screen.windows(program.pid()).size() << " windows\n"
        << program.output();
    const fs::path keptSession = fileStarting(data, "Session.cbor.unreadable-");
    const fs::path keptSettings = fileStarting(config, "net.vistrel.Vistrel.plist.unreadable-");
    ASSERT_FALSE(keptSession.empty());
    ASSERT_FALSE(keptSettings.empty());
    EXPECT_EQ(contentsOf(keptSession), session);
    EXPECT_EQ(contentsOf(keptSettings), settings);

    for (std::size_t left = 2; left >= 1; --left) {
        e2e::step("answering an alert");
        const auto windows = screen.windows(program.pid());
        ASSERT_FALSE(windows.empty());
        screen.focus(windows.back());
        screen.key({"Return"});
        ASSERT_TRUE(e2e::waitUntil([&] { return screen.windows(program.pid()).size() == left; }, e2e::waitLimit));
    }

    e2e::step("quitting");
    const auto windows = screen.windows(program.pid());
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(program.quit(screen, windows.front()), 0) << program.output();
    // New files beside the ones kept, which are untouched.
    EXPECT_TRUE(fs::is_regular_file(data / "Session.cbor"));
    EXPECT_TRUE(fs::is_regular_file(config / "net.vistrel.Vistrel.plist"));
    EXPECT_EQ(contentsOf(keptSession), session);
    EXPECT_EQ(contentsOf(keptSettings), settings);
}

}  // namespace
