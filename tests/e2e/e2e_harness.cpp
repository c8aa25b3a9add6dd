#include "tests/e2e/e2e_harness.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "tools/testmovie/test_movie.h"

extern char** environ;

namespace e2e {

namespace {

// Failures reach the log at once, also when a time limit kills the test before it ends.
[[maybe_unused]] const bool unbufferedOutput = [] { return std::setvbuf(stdout, nullptr, _IONBF, 0) == 0; }();

bool onPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((std::filesystem::path(folder) / program).c_str(), X_OK) == 0) return true;
    return false;
}

// Starts `arguments` with the environment plus `extra`, its output into `fd` (-1: none). Gives the pid. The
// child is killed when the test process ends, also when a time limit kills the test before its destructors run.
int spawn(const std::vector<std::string>& command, const std::map<std::string, std::string>& extra, int fd)
{
    std::vector<std::string> arguments = {"setpriv", "--pdeathsig", "KILL", "--"};
    arguments.insert(arguments.end(), command.begin(), command.end());
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        if (!extra.count(name)) environment.push_back(text);
    }
    for (const auto& [name, value] : extra)
        environment.push_back(name + "=" + value);
    std::vector<char*> argv, envp;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    for (const auto& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (fd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, fd, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, fd, STDERR_FILENO);
    }
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

// Ends a child we started: a polite signal, then a firm one.
void end(int pid)
{
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 40; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// True once a window manager has announced itself on the display's root window (_NET_SUPPORTING_WM_CHECK).
bool windowManagerRuns(const std::string& display)
{
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection) return false;
    const Atom check = XInternAtom(connection, "_NET_SUPPORTING_WM_CHECK", True);
    bool found = false;
    if (check != None) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        found = XGetWindowProperty(connection, DefaultRootWindow(connection), check, 0, 1, False, AnyPropertyType,
                                   &type, &format, &count, &after, &data) == Success &&
                count == 1;
        if (data) XFree(data);
    }
    XCloseDisplay(connection);
    return found;
}

bool isStrip(gfx::Pixel p)
{
    const auto near = [](int a, int b) { return std::abs(a - b) < 48; };
    return near(gfx::redOf(p), testmovie::stripRed) && near(gfx::greenOf(p), testmovie::stripGreen) &&
           near(gfx::blueOf(p), testmovie::stripBlue);
}

gfx::ImageRef crop(const gfx::Image& image, int x, int y, int width, int height)
{
    std::vector<gfx::Pixel> pixels;
    pixels.reserve(std::size_t(width) * std::size_t(height));
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            pixels.push_back(image.pixel(column, row));
    return gfx::Image::create(width, height, std::move(pixels));
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, Seconds timeout)
{
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(timeout);
    while (true) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void step(const std::string& what)
{
    static const auto start = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "[e2e %6.1f s] %s\n", seconds, what.c_str());
}

bool toolsPresent() { return missingTools().empty(); }

std::string missingTools()
{
    std::string missing;
    for (const char* tool : {"Xvfb", "openbox", "xdotool"})
        if (!onPath(tool)) missing += std::string(missing.empty() ? "" : ", ") + tool;
    return missing;
}

Process::Process(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment,
                 const std::filesystem::path& output)
    : output_(output)
{
    const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    pid_ = spawn(arguments, environment, fd);
    if (fd >= 0) close(fd);
}

Process::~Process()
{
    if (!status_) end(pid_);
}

bool Process::running() { return pid_ > 0 && !waitForExit(Seconds(0)); }

std::optional<int> Process::waitForExit(Seconds timeout)
{
    if (status_ || pid_ <= 0) return status_;
    waitUntil(
        [&] {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) != pid_) return false;
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return true;
        },
        timeout);
    return status_;
}

void Process::terminate()
{
    if (status_) return;
    end(pid_);
    status_ = -1;
}

std::string Process::output() const
{
    std::ifstream in(output_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

XServer::XServer()
{
    // Xvfb finds a free display itself and writes its number on the pipe. It must not reset when its last client
    // leaves: the readiness check below is a client, and a connection made while the server resets is lost.
    int fds[2];
    if (pipe(fds) != 0) return;
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    pid_ = spawn(
        {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"},
        {}, -1);
    close(fds[1]);
    std::string number;
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    waitUntil(
        [&] {
            std::array<char, 32> buffer{};
            const ssize_t got = read(fds[0], buffer.data(), buffer.size());
            if (got > 0) number.append(buffer.data(), std::size_t(got));
            return number.find('\n') != std::string::npos;
        },
        waitLimit);
    close(fds[0]);
    if (number.find('\n') == std::string::npos) return;
    display_ = ":" + number.substr(0, number.find('\n'));
    ready_ = waitUntil(
        [&] {
            Display* connection = XOpenDisplay(display_.c_str());
            if (connection) XCloseDisplay(connection);
            return connection != nullptr;
        },
        waitLimit);
    if (!ready_) return;
    // A window manager, as on a user's desktop: it places, decorates and focuses the windows.
    windowManager_ = spawn({"openbox", "--sm-disable"}, {{"DISPLAY", display_}}, -1);
    ready_ = windowManager_ > 0 && waitUntil([&] { return windowManagerRuns(display_); }, waitLimit);
}

XServer::~XServer()
{
    end(windowManager_);
    end(pid_);
}

std::map<std::string, std::string> programEnvironment(const XServer& server, const std::filesystem::path& folder)
{
    return {
        {"DISPLAY", server.display()},
        {"QT_QPA_PLATFORM", "xcb"},
        {"XDG_CONFIG_HOME", (folder / "config").string()},
        {"XDG_DATA_HOME", (folder / "data").string()},
        {"DBUS_SESSION_BUS_ADDRESS", "disabled:"},
    };
}

namespace {

// A window may go between finding it and asking about it: the request fails and the caller skips the window,
// instead of Xlib's default handler ending the test.
int ignoreError(Display*, XErrorEvent*) { return 0; }

}  // namespace

Screen::Screen(const std::string& display) : display_(display), connection_(XOpenDisplay(display.c_str()))
{
    XSetErrorHandler(ignoreError);
}

void* Screen::connection()
{
    // A server just started may refuse a connection now and then: ask again at the next use.
    if (!connection_) connection_ = XOpenDisplay(display_.c_str());
    return connection_;
}

Screen::~Screen()
{
    if (connection_) XCloseDisplay(static_cast<Display*>(connection_));
}

std::string Screen::run(const std::string& arguments)
{
    // No xdotool command may hold the test: one that waits for what never comes is given up after 20 s.
    const std::string command = "DISPLAY=" + display_ + " timeout 20 xdotool " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string output;
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), int(buffer.size()), pipe))
        output += buffer.data();
    pclose(pipe);
    return output;
}

std::vector<Window> Screen::windows(int pid, const std::string& title)
{
    std::vector<Window> found;
    std::stringstream ids(run("search --all --onlyvisible --pid " + std::to_string(pid) + " --name '" + title + "'"));
    auto* connection = static_cast<Display*>(this->connection());
    for (unsigned long id; ids >> id;) {
        XWindowAttributes attributes;
        if (!connection || !XGetWindowAttributes(connection, id, &attributes)) continue;
        if (attributes.map_state != IsViewable || attributes.width < 50) continue;
        ::Window child;
        int x = 0, y = 0;
        if (!XTranslateCoordinates(connection, id, DefaultRootWindow(connection), 0, 0, &x, &y, &child)) continue;
        found.push_back({id, x, y, attributes.width, attributes.height});
    }
    return found;
}

std::optional<Window> Screen::waitForWindow(int pid, const std::string& title, Seconds timeout)
{
    std::optional<Window> window;
    waitUntil(
        [&] {
            const auto all = windows(pid, title);
            if (!all.empty()) window = all.front();
            return window.has_value();
        },
        timeout);
    return window;
}

std::set<unsigned long> Screen::windowIds(int pid)
{
    std::set<unsigned long> ids;
    for (const auto& window : windows(pid))
        ids.insert(window.id);
    return ids;
}

std::optional<Window> Screen::waitForNewWindow(int pid, const std::set<unsigned long>& known, Seconds timeout)
{
    std::optional<Window> window;
    waitUntil(
        [&] {
            for (const auto& each : windows(pid))
                if (!known.count(each.id)) window = each;
            return window.has_value();
        },
        timeout);
    return window;
}

bool Screen::focus(const Window& window)
{
    run("windowraise " + std::to_string(window.id));
    run("windowfocus --sync " + std::to_string(window.id));
    return true;
}

unsigned long Screen::focused() { return std::strtoul(run("getwindowfocus").c_str(), nullptr, 10); }

bool Screen::key(const std::vector<std::string>& keys)
{
    std::string names;
    for (const auto& name : keys)
        names += " " + name;
    run("key --clearmodifiers --delay 30" + names);
    return true;
}

bool Screen::type(const std::string& text)
{
    run("type --clearmodifiers --delay 20 '" + text + "'");
    return true;
}

void Screen::moveTo(int x, int y)
{
    // xdotool waits for a motion that never comes when the pointer is already there.
    auto* connection = static_cast<Display*>(this->connection());
    ::Window root = 0, child = 0;
    int rootX = -1, rootY = -1, childX = 0, childY = 0;
    unsigned int buttons = 0;
    if (connection)
        XQueryPointer(connection, DefaultRootWindow(connection), &root, &child, &rootX, &rootY, &childX, &childY,
                      &buttons);
    if (rootX == x && rootY == y) return;
    run("mousemove --sync " + std::to_string(x) + " " + std::to_string(y));
}

bool Screen::click(const Window& window, int x, int y)
{
    moveTo(window.x + x, window.y + y);
    run("click 1");
    return true;
}

std::optional<std::pair<int, int>> Screen::titleBarMiddle(const Window& window)
{
    auto* connection = static_cast<Display*>(this->connection());
    if (!connection) return std::nullopt;
    XWindowAttributes attributes;
    ::Window child = 0;
    int x = 0, y = 0;
    if (!XGetWindowAttributes(connection, window.id, &attributes) ||
        !XTranslateCoordinates(connection, window.id, DefaultRootWindow(connection), 0, 0, &x, &y, &child))
        return std::nullopt;
    // The window manager says how high its decoration above the window is (_NET_FRAME_EXTENTS: left, right,
    // top, bottom).
    long top = 20;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    const Atom extents = XInternAtom(connection, "_NET_FRAME_EXTENTS", False);
    if (XGetWindowProperty(connection, window.id, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count, &left,
                           &data) == Success &&
        data && count == 4 && format == 32)
        top = reinterpret_cast<long*>(data)[2];
    if (data) XFree(data);
    return std::pair{x + attributes.width / 2, y - int(std::max(top, 2L)) / 2};
}

bool Screen::clickTitleBar(const Window& window, Seconds timeout)
{
    // A busy window manager may still be placing the window when it is first clicked: the click is made again,
    // where the window then is, until the window has the focus (seconds apart, never a double click).
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(timeout);
    do {
        const auto middle = titleBarMiddle(window);
        if (!middle) return false;
        moveTo(middle->first, middle->second);
        run("click 1");
        if (waitUntil([&] { return focused() == window.id; }, Seconds(5))) return true;
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

bool Screen::drag(const Window& from, int x, int y, const Window& to, int toX, int toY)
{
    const int startX = from.x + x, startY = from.y + y, endX = to.x + toX, endY = to.y + toY;
    moveTo(startX, startY);
    run("mousedown 1");
    constexpr int steps = 20;
    for (int i = 1; i <= steps; ++i) {
        moveTo(startX + (endX - startX) * i / steps, startY + (endY - startY) * i / steps);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    run("mouseup 1");
    return true;
}

gfx::ImageRef Screen::capture(const Window& window)
{
    auto* connection = static_cast<Display*>(this->connection());
    if (!connection) return nullptr;
    XSync(connection, False);
    XImage* shot = XGetImage(connection, DefaultRootWindow(connection), window.x, window.y, unsigned(window.width),
                             unsigned(window.height), AllPlanes, ZPixmap);
    if (!shot) return nullptr;
    std::vector<gfx::Pixel> pixels;
    pixels.reserve(std::size_t(window.width) * std::size_t(window.height));
    for (int y = 0; y < window.height; ++y)
        for (int x = 0; x < window.width; ++x) {
            const unsigned long p = XGetPixel(shot, x, y);
            pixels.push_back(gfx::makePixel(255, std::uint8_t((p & shot->red_mask) >> 16),
                                            std::uint8_t((p & shot->green_mask) >> 8),
                                            std::uint8_t(p & shot->blue_mask)));
        }
    XDestroyImage(shot);
    return gfx::Image::create(window.width, window.height, std::move(pixels));
}

std::vector<Picture> findPictures(const gfx::Image& image, int minimumWidth)
{
    const int w = image.width(), h = image.height();
    std::vector<char> seen(std::size_t(w) * std::size_t(h), 0);
    std::vector<Picture> pictures;
    for (int y0 = 0; y0 < h; ++y0)
        for (int x0 = 0; x0 < w; ++x0) {
            if (seen[std::size_t(y0) * w + x0] || !isStrip(image.pixel(x0, y0))) continue;
            // The strip's extent: its pixels joined to this one.
            int minX = x0, maxX = x0, minY = y0, maxY = y0;
            long count = 0;
            std::vector<std::pair<int, int>> stack{{x0, y0}};
            seen[std::size_t(y0) * w + x0] = 1;
            while (!stack.empty()) {
                auto [x, y] = stack.back();
                stack.pop_back();
                ++count;
                minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    char& mark = seen[std::size_t(ny) * w + nx];
                    if (mark || !isStrip(image.pixel(nx, ny))) continue;
                    mark = 1;
                    stack.emplace_back(nx, ny);
                }
            }
            const int stripWidth = maxX - minX + 1, stripHeight = maxY - minY + 1;
            // A picture's strip is a full rectangle, a quarter of the picture's height.
            if (stripWidth < minimumWidth || count < long(stripWidth) * stripHeight * 9 / 10) continue;
            const int top = maxY + 1 - 4 * stripHeight;
            if (top < 0) continue;
            Picture picture{minX, top, stripWidth, maxY + 1 - top, -1};
            picture.frameIndex =
                testmovie::readFrameIndex(*crop(image, picture.x, picture.y, picture.width, picture.height));
            pictures.push_back(picture);
        }
    std::sort(pictures.begin(), pictures.end(),
              [](const Picture& a, const Picture& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    return pictures;
}

TestFolder::TestFolder(const std::string& name)
    : path(std::filesystem::temp_directory_path() / ("vistrel-e2e-" + name + "-" + std::to_string(getpid())))
{
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
}

TestFolder::~TestFolder()
{
    std::error_code error;
    std::filesystem::remove_all(path, error);
}

void writeMovie(const std::filesystem::path& path, int frames, int width, int height, int framesPerSecond)
{
    testmovie::MovieSpec spec;
    spec.width = width;
    spec.height = height;
    spec.frameCount = frames;
    spec.keyInterval = 12;
    if (framesPerSecond > 0) {
        spec.rateNum = framesPerSecond;
        spec.rateDen = 1;
    }
    testmovie::writeMovie(path.string(), spec);
}

void writeBatchSettings(const std::filesystem::path& config)
{
    std::filesystem::create_directories(config);
    std::ofstream(config / "net.vistrel.Vistrel.plist")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
           "<key>BatchSplitterMode</key><integer>1</integer>\n"
           "<key>BatchEveryFrames</key><integer>1</integer>\n"
           "<key>BatchImageFormat</key><integer>1</integer>\n"
           "<key>BatchAlertUserType</key><integer>0</integer>\n"
           "<key>BatchManagerConcurrentCount</key><integer>1</integer>\n"
           "</dict>\n</plist>\n";
}

std::size_t filesIn(const std::filesystem::path& folder)
{
    std::error_code error;
    return std::size_t(
        std::distance(std::filesystem::directory_iterator(folder, error), std::filesystem::directory_iterator()));
}

namespace {

std::vector<std::string> programArguments(const std::vector<std::string>& arguments)
{
    std::vector<std::string> all{VISTREL_PROGRAM};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return all;
}

}  // namespace

Program::Program(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment,
                 const std::filesystem::path& output)
    : Process(programArguments(arguments), environment, output)
{
}

std::optional<Window> Program::waitForWindow(Screen& screen, const std::string& title)
{
    return screen.waitForWindow(pid(), title, waitLimit);
}

std::optional<int> Program::quit(Screen& screen, const Window& window, Seconds timeout)
{
    screen.focus(window);
    screen.key({"ctrl+q"});
    return waitForExit(timeout);
}

std::optional<Picture> shownPicture(Screen& screen, const Window& window)
{
    const auto image = screen.capture(window);
    if (!image) return std::nullopt;
    const auto pictures = findPictures(*image, 100);
    if (pictures.empty()) return std::nullopt;
    return *std::max_element(pictures.begin(), pictures.end(), [](auto& a, auto& b) { return a.width < b.width; });
}

int shownFrame(Screen& screen, const Window& window)
{
    const auto picture = shownPicture(screen, window);
    return picture ? picture->frameIndex : -1;
}

std::vector<Picture> stripPictures(Screen& screen, const Window& window)
{
    std::vector<Picture> snaps;
    const auto image = screen.capture(window);
    if (!image) return snaps;
    for (const auto& picture : findPictures(*image))
        if (picture.y >= window.height - stripHeight) snaps.push_back(picture);
    std::sort(snaps.begin(), snaps.end(), [](auto& a, auto& b) { return a.x < b.x; });
    return snaps;
}

std::vector<int> stripFrames(Screen& screen, const Window& window)
{
    std::vector<int> frames;
    for (const auto& picture : stripPictures(screen, window))
        frames.push_back(picture.frameIndex);
    return frames;
}

}  // namespace e2e
