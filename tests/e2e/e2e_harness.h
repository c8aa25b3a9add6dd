// What end-to-end tests need to drive the real program as a user does: an X server of their own (Xvfb on a
// free display), the program started there with fresh settings and data folders, its windows found and
// driven with real input events (xdotool), the screen's pixels read back (Xlib), frame indexes read from
// the test movies' pictures in them, and bounded waits. Every wait gives up after its timeout, so a program
// that hangs fails the test instead of holding it.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/gfx/image.h"

namespace e2e {

using Seconds = std::chrono::duration<double>;
// How long a wait for the program lasts at most: far longer than a correct program takes on a loaded machine.
constexpr Seconds waitLimit{60};

// Polls `condition` every 50 ms until it holds (true) or `timeout` has passed (false).
bool waitUntil(const std::function<bool()>& condition, Seconds timeout);

// Notes on the standard error where a test has got to, so that one stopped by its time limit shows where.
void step(const std::string& what);

// True when the tools the tests drive the program with are installed (Xvfb, openbox and xdotool).
bool toolsPresent();
// Why they are not, for a skipped test's message.
std::string missingTools();

// A child process: started with arguments and extra environment, its output kept in a file.
class Process {
public:
    Process(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment,
            const std::filesystem::path& output);
    ~Process();  // ends the process if it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    int pid() const { return pid_; }
    bool running();
    // The exit code once the process has ended within the timeout (-1 for a signal); nullopt otherwise.
    std::optional<int> waitForExit(Seconds timeout);
    void terminate();
    // What the process wrote on its standard output and error.
    std::string output() const;

private:
    int pid_ = -1;
    std::optional<int> status_;
    std::filesystem::path output_;
};

// An X server of its own, on a display it found free, 1280 × 1024 at 24 bits, with a window manager (openbox)
// running on it as on a user's desktop.
class XServer {
public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N"
    const std::string& display() const { return display_; }
    bool ready() const { return ready_; }

private:
    std::string display_;
    int pid_ = -1;
    int windowManager_ = -1;
    bool ready_ = false;
};

// A folder of the test's own in the temporary folder ("vistrel-e2e-<name>-<process id>"), made empty at the
// start and removed with everything in it at the end.
struct TestFolder {
    explicit TestFolder(const std::string& name);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    // The folder joined with `name`.
    std::filesystem::path operator/(const std::string& name) const { return path / name; }

    std::filesystem::path path;
};

// Writes a frame-index test movie (each frame shows its index in its pixels) of `frames` frames of
// width × height, a key frame every 12, at the generator's own rate or at `framesPerSecond` when given.
void writeMovie(const std::filesystem::path& path, int frames, int width = 320, int height = 240,
                int framesPerSecond = 0);

// The settings of a returning user whose batch writes every frame as JPEG, one movie at a time, with no
// notice at the end, written into the settings folder `config`.
void writeBatchSettings(const std::filesystem::path& config);

// How many entries the folder holds (0 when it cannot be read).
std::size_t filesIn(const std::filesystem::path& folder);

// The environment of the program under test: the server's display, the X platform, settings and data in
// `folder` (config/ and data/), and no session bus, so that nothing of the user's desktop reaches the test.
std::map<std::string, std::string> programEnvironment(const XServer& server, const std::filesystem::path& folder);

// A window on the server.
struct Window {
    unsigned long id = 0;
    int x = 0, y = 0, width = 0, height = 0;  // on the screen, y down
};

// Talks to one server: finds windows, sends real keys and clicks, reads pixels.
class Screen {
public:
    explicit Screen(const std::string& display);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Visible windows of the process whose title holds `title` (empty: any), in stacking order.
    std::vector<Window> windows(int pid, const std::string& title = "");
    // The first such window, waited for.
    std::optional<Window> waitForWindow(int pid, const std::string& title, Seconds timeout);
    // The ids of the process's visible windows now.
    std::set<unsigned long> windowIds(int pid);
    // A window of the process that is not among `known` (a panel, a sheet, a question), waited for.
    std::optional<Window> waitForNewWindow(int pid, const std::set<unsigned long>& known, Seconds timeout);
    // Gives the window the keyboard focus.
    bool focus(const Window& window);
    // The window that has the keyboard focus (0: none).
    unsigned long focused();
    // Presses and releases keys as xdotool names them ("Right", "Return", "ctrl+q"), in order.
    bool key(const std::vector<std::string>& keys);
    // Types the text as key presses into the window that has the focus.
    bool type(const std::string& text);
    // Moves the pointer to (x, y) of the window (y down from its top left) and clicks the left button.
    bool click(const Window& window, int x, int y);
    // Raises the window as a user does, with a click on the middle of the title bar the window manager draws
    // above it; true once the window manager has given it the keyboard focus.
    bool clickTitleBar(const Window& window, Seconds timeout);
    // The middle of the title bar above the window, in screen coordinates; none without the window.
    std::optional<std::pair<int, int>> titleBarMiddle(const Window& window);
    // Presses the left button at (x, y) of `from`, moves the pointer in small steps to (toX, toY) of `to`
    // and releases it there.
    bool drag(const Window& from, int x, int y, const Window& to, int toX, int toY);
    // The window's pixels as the screen shows them (opaque, rows from the top).
    gfx::ImageRef capture(const Window& window);

private:
    std::string run(const std::string& arguments);
    // Puts the pointer at (x, y) of the screen and waits until it is there.
    void moveTo(int x, int y);
    // The connection to the server, opened anew while it is not open.
    void* connection();

    std::string display_;
    void* connection_ = nullptr;
};

// The program under test, started with the arguments after its own path.
class Program : public Process {
public:
    Program(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment,
            const std::filesystem::path& output);
    // Its window whose title holds `title` (a document window's is its movie's file name; empty: any), waited
    // for as long as a start may take.
    std::optional<Window> waitForWindow(Screen& screen, const std::string& title = "");
    // Gives the window the focus, presses Ctrl+Q and waits for the program to end: its exit code, or nullopt.
    std::optional<int> quit(Screen& screen, const Window& window, Seconds timeout = waitLimit);
};

// A picture of a test movie's frame found in a capture: where it lies and the index it shows.
struct Picture {
    int x = 0, y = 0, width = 0, height = 0;  // y down
    int frameIndex = -1;
};

// The document window's strip of snaps is its bottom 150 points.
constexpr int stripHeight = 150;

// The picture of the window's movie view (its widest frame picture, at least 100 pixels wide), if it shows one.
std::optional<Picture> shownPicture(Screen& screen, const Window& window);
// The frame index the movie view shows, or -1.
int shownFrame(Screen& screen, const Window& window);
// The pictures of the snaps in the document window's strip, left to right.
std::vector<Picture> stripPictures(Screen& screen, const Window& window);
// Their frame indexes, left to right.
std::vector<int> stripFrames(Screen& screen, const Window& window);

// Every frame picture of a test movie in the image (found by the coloured strip under its index grid), at
// least `minimumWidth` pixels wide, top to bottom, then left to right.
std::vector<Picture> findPictures(const gfx::Image& image, int minimumWidth = 24);

}  // namespace e2e
