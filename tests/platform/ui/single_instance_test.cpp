// One program per desktop session: a launch that finds a program listening hands its paths over and hears
// that they were taken; the first launch listens, also where a crashed program left its socket; messages that
// are no handover are dropped unanswered and never reach the program; launches for other displays or data
// folders stay apart.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/program_handover.h"
#include "platform/ui/single_instance.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"

namespace {

using Outcome = ui::SingleInstance::Outcome;
using Paths = std::vector<std::string>;

// A later launch, on a thread of its own while the test's main loop serves the first program.
Outcome launch(const std::string& socket, const Paths& paths)
{
    std::atomic<bool> done = false;
    Outcome outcome = Outcome::alone;
    std::thread launcher([&] {
        ui::SingleInstance later(socket);
        outcome = later.claim(paths, {});
        done = true;
    });
    testsupport::runUntil([&] { return done.load(); }, 60);
    launcher.join();
    return outcome;
}

int connectTo(const std::string& path)
{
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

// Sends the bytes, ends the sending side, and gives what came back before the program hung up.
std::string sendRaw(const std::string& socket, const std::string& bytes)
{
    std::atomic<bool> done = false;
    std::string answer;
    std::thread sender([&] {
        const int descriptor = connectTo(socket);
        if (descriptor >= 0) {
            if (!bytes.empty()) static_cast<void>(::write(descriptor, bytes.data(), bytes.size()));
            ::shutdown(descriptor, SHUT_WR);
            char buffer[64];
            for (ssize_t n; (n = ::read(descriptor, buffer, sizeof buffer)) > 0;)
                answer.append(buffer, std::size_t(n));
            ::close(descriptor);
        }
        done = true;
    });
    testsupport::runUntil([&] { return done.load(); }, 60);
    sender.join();
    return answer;
}

struct FirstProgram {
    testsupport::TempDir folder{"instance"};
    std::string socket = (folder / "program.socket").string();
    ui::SingleInstance instance{socket};
    std::vector<Paths> received;

    Outcome start()
    {
        return instance.claim({"/never/handed"}, [this](const Paths& paths) { received.push_back(paths); });
    }
};

TEST(SingleInstance, ALaterLaunchHandsItsPathsToTheRunningProgram)
{
    FirstProgram first;
    ASSERT_EQ(first.start(), Outcome::first) << first.instance.problem();
    EXPECT_TRUE(first.received.empty()) << "the first program's own paths are not handed to itself";

    const Paths paths = {"/movies/a.mp4", "/movies/with space and\nnewline.mov", "/movies/été.mkv"};
    EXPECT_EQ(launch(first.socket, paths), Outcome::handedOver);
    EXPECT_EQ(launch(first.socket, {}), Outcome::handedOver);
    ASSERT_EQ(first.received.size(), 2u);
    EXPECT_EQ(first.received[0], paths);
    EXPECT_TRUE(first.received[1].empty()) << "a launch without paths only brings the program forward";

    // A program that stopped listening (it is quitting) leaves the next launch to be the first.
    first.instance.stop();
    ui::SingleInstance next(first.socket);
    EXPECT_EQ(next.claim({}, [](const Paths&) {}), Outcome::first) << next.problem();
}

TEST(SingleInstance, TheSocketOfAProgramThatCrashedIsTakenOver)
{
    testsupport::TempDir folder("instance");
    const std::string socket = (folder / "program.socket").string();
    // A bound socket nobody listens on any more, as a killed program leaves it.
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socket.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(stale);
    ASSERT_LT(connectTo(socket), 0);

    std::vector<Paths> received;
    ui::SingleInstance first(socket);
    ASSERT_EQ(first.claim({}, [&](const Paths& paths) { received.push_back(paths); }), Outcome::first)
        << first.problem();
    EXPECT_EQ(launch(socket, {"/movies/a.mp4"}), Outcome::handedOver);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], Paths{"/movies/a.mp4"});
}

TEST(SingleInstance, BytesThatAreNoHandoverAreDroppedUnanswered)
{
    FirstProgram first;
    ASSERT_EQ(first.start(), Outcome::first) << first.instance.problem();
    const std::string whole = ui::encodeHandover({"/movies/a.mp4", "/movies/b.mp4"});
    std::string random(300, '\0');
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = char((i * 2654435761u) >> 13);
    const std::vector<std::pair<std::string, std::string>> broken = {
        {"nothing", ""},
        {"half a length", whole.substr(0, 2)},
        {"truncated", whole.substr(0, whole.size() - 3)},
        {"a byte too many", whole + "x"},
        {"random bytes", random},
        {"an empty path", std::string("\0\0\0\1\0", 5)},
        {"a last path without its end", std::string("\0\0\0\2/a", 6)},
        {"a length past the largest", std::string("\x7f\xff\xff\xff", 4) + "/a"},
    };
    for (const auto& [what, bytes] : broken) {
        SCOPED_TRACE(what);
        EXPECT_EQ(sendRaw(first.socket, bytes), "");
    }
    // The program still serves launches, and nothing but their paths reached it.
    EXPECT_EQ(launch(first.socket, {"/movies/c.mp4"}), Outcome::handedOver);
    ASSERT_EQ(first.received.size(), 1u);
    EXPECT_EQ(first.received[0], Paths{"/movies/c.mp4"});
}

TEST(SingleInstance, HandoverMessagesReadBackAsTheyWereWritten)
{
    const Paths paths = {"/a", "/b c", std::string(70000, 'x')};
    const std::string message = ui::encodeHandover(paths);
    for (std::size_t cut = 0; cut < message.size(); cut += 997) {
        const auto partial = ui::readHandover(std::string_view(message).substr(0, cut));
        EXPECT_EQ(partial.status, ui::HandoverReading::Status::incomplete) << cut;
    }
    const auto reading = ui::readHandover(message);
    ASSERT_EQ(reading.status, ui::HandoverReading::Status::complete);
    EXPECT_EQ(reading.paths, paths);
    const auto none = ui::readHandover(ui::encodeHandover({}));
    EXPECT_EQ(none.status, ui::HandoverReading::Status::complete);
    EXPECT_TRUE(none.paths.empty());
}

// Sets an environment variable for the scope, putting back what was there.
class Setting {
public:
    Setting(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~Setting() { old_.empty() ? ::unsetenv(name_) : ::setenv(name_, old_.c_str(), 1); }

private:
    const char* name_;
    std::string old_;
};

TEST(SingleInstance, EachDisplayAndDataFolderHasASocketOfItsOwn)
{
    testsupport::TempDir runtime("runtime");
    const Setting runtimeFolder("XDG_RUNTIME_DIR", runtime.path().c_str());
    const Setting wayland("WAYLAND_DISPLAY", nullptr);
    const Setting data("XDG_DATA_HOME", (runtime / "data").c_str());
    auto pathFor = [](const char* display) {
        const Setting setting("DISPLAY", display);
        return ui::SingleInstance::socketPathFor("net.example.Program").value_or("");
    };
    const std::string first = pathFor(":1");
    EXPECT_EQ(first.rfind(runtime.path().string() + "/net.example.Program-", 0), 0u) << first;
    EXPECT_EQ(pathFor(":1.0"), first) << "a screen of the same display";
    EXPECT_EQ(pathFor(":1"), first) << "the same name in every launch";
    EXPECT_NE(pathFor(":2"), first);
    {
        const Setting otherData("XDG_DATA_HOME", (runtime / "other").c_str());
        EXPECT_NE(pathFor(":1"), first);
    }
    // Without a runtime folder, in a folder of the user's own in /tmp.
    const Setting noRuntime("XDG_RUNTIME_DIR", nullptr);
    const std::string fallback = pathFor(":1");
    EXPECT_EQ(fallback.rfind("/tmp/net.example.Program-" + std::to_string(::getuid()) + "/", 0), 0u) << fallback;
}

}  // namespace
