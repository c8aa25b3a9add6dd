// panelcheck: shows a movie window holding the movie panel with a generated movie on the X display, and checks
// what the screen shows, read back from it: the frame (its index read from the frame's own pixels) playing,
// the strip of thumbnails, the controls; then a right arrow key sent to the window from outside
// (xdotool key --window) moves the picture exactly one frame. Prints every check; exits 0 when all pass, 1
// when one fails, and 77 (skipped) where it cannot run: no X display, or no xdotool.
//   panelcheck   (run it under X, e.g. xvfb-run -a panelcheck)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "appkit/responder_extensions.h"
#include "foundation/time_values.h"
#include "moviekit/movie_panel.h"
#include "moviekit/movie_window.h"
#include "moviekit/player.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/main_loop.h"
#include "platform/ui/application.h"
#include "platform/ui/screen.h"
#include "tools/testmovie/test_movie.h"

namespace {

constexpr int skipped = 77;
constexpr int frameRate = 25;
constexpr int frameCount = 75;

class Checker {
public:
    bool check(bool passed, const std::string& what)
    {
        std::printf("%s  %s\n", passed ? "ok  " : "FAIL", what.c_str());
        std::fflush(stdout);
        failures_ += passed ? 0 : 1;
        return passed;
    }
    int failures() const { return failures_; }

private:
    int failures_ = 0;
};

template <class Condition>
bool waitFor(Condition done, double seconds)
{
    for (double waited = 0; waited < seconds; waited += 0.05) {
        if (done()) return true;
        core::MainLoop::processEvents(0.05);
    }
    return done();
}

// What a command prints, or nothing when it fails.
std::string output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        if (pclose(pipe) != 0) return {};
    }
    return text;
}

// The part of a screen image of the window's content area under a rectangle (y-up points of that area).
gfx::ImageRef cropped(const gfx::Image& screen, const gfx::Size& content, const gfx::Rect& rect)
{
    const double scale = screen.width() / content.width;
    const int x0 = std::max(0, int(std::ceil(rect.minX() * scale)));
    const int y0 = std::max(0, int(std::ceil((content.height - rect.maxY()) * scale)));
    const int x1 = std::min(screen.width(), int(std::floor(rect.maxX() * scale)));
    const int y1 = std::min(screen.height(), int(std::floor((content.height - rect.minY()) * scale)));
    if (x1 <= x0 || y1 <= y0) return nullptr;
    std::vector<gfx::Pixel> pixels;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            pixels.push_back(screen.pixel(x, y));
    return gfx::Image::create(x1 - x0, y1 - y0, std::move(pixels));
}

int lightness(gfx::Pixel p) { return (gfx::redOf(p) + gfx::greenOf(p) + gfx::blueOf(p)) / 3; }

// Pixels of the image that stand out from its corner (the ground a control is drawn on).
int drawnPixels(const gfx::Image& image)
{
    const int ground = lightness(image.pixel(0, 0));
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += std::abs(lightness(image.pixel(x, y)) - ground) > 60 ? 1 : 0;
    return count;
}

class PanelCheck {
public:
    PanelCheck(std::string moviePath, std::string title) : moviePath_(std::move(moviePath)), title_(std::move(title)) {}

    int run()
    {
        const gfx::Size size{720, 480};
        gfx::Point origin{40, 40};
        window_ = orvalis::MovieWindow::create({origin, size}, ui::StyleMask::titled | ui::StyleMask::resizable |
                                                                   ui::StyleMask::closable);
        window_->setTitle(title_);
        controller_ = core::make<orvalis::MovieViewController>();
        const auto panel = orvalis::makeMoviePanel(controller_, {{0, 0}, size});
        window_->contentView()->addSubview(panel);
        kestrane::insertNextResponder(*window_, controller_);
        movie_ = orvalis::Movie::create(core::Url::fileURL(moviePath_));
        controller_->setMovie(movie_);
        window_->makeKeyAndOrderFront(nullptr);

        if (!checker_.check(waitFor([&] { return window_->isExposed(); }, 10), "the window system shows the window"))
            return 1;
        checkPicture();
        checkStrip();
        checkControls();
        checkPlaying();
        checkRightArrow();
        window_->close();
        std::printf("%s\n",
                    checker_.failures() == 0 ? "panelcheck: all checks passed" : "panelcheck: some checks failed");
        return checker_.failures() == 0 ? 0 : 1;
    }

private:
    gfx::ImageRef screenPart(const ui::View& view, const gfx::Rect& rect)
    {
        const auto screen = window_->screenSnapshot();
        if (!screen) return nullptr;
        return cropped(*screen, window_->contentSize(), view.convertRectTo(rect, nullptr));
    }

    // The index the picture on the screen carries; -1 when none can be read.
    int shownIndex()
    {
        const auto view = controller_->movieView();
        const auto picture = screenPart(*view, view->videoRect());
        return picture ? testmovie::readFrameIndex(*picture) : -1;
    }

    // The index shown once the screen has stopped changing.
    int settledIndex()
    {
        int last = -2;
        for (int tries = 0; tries < 40; ++tries) {
            core::MainLoop::processEvents(0.1);
            const int now = shownIndex();
            if (now == last && now >= 0) return now;
            last = now;
        }
        return -1;
    }

    int playerIndex() { return int(std::lround(movie_->player()->currentTime().seconds() * frameRate)); }

    void checkPicture()
    {
        const int index = settledIndex();
        checker_.check(index == 0,
                       "the screen shows the movie's first frame (index read: " + std::to_string(index) + ")");
        const gfx::Rect picture = controller_->movieView()->videoRect();
        checker_.check(std::abs(picture.width() / picture.height() - 4.0 / 3) < 0.01,
                       "the picture keeps the movie's 4:3 shape");
    }

    void checkStrip()
    {
        const auto bar = controller_->movieSlideBar();
        const bool filled = waitFor(
            [&] {
                return bar->thumbnails().size() == std::size_t(bar->thumbnailsCount()) && bar->thumbnailsCount() > 3;
            },
            10);
        checker_.check(filled,
                       "the slide bar's strip has its " + std::to_string(bar->thumbnailsCount()) + " thumbnails");
        // Slots fill the bar from its inside's left end, each as high as that inside.
        const double inset = bar->barStrokeHeight();
        const double left = bar->controlWidth();
        const double height = bar->bounds().height() - 2 * inset;
        const double slot = height * 4 / 3;
        core::MainLoop::processEvents(0.2);
        // Every slot wholly on the bar: frames of the movie, later ones further right.
        const int slots = int((bar->bounds().width() - 2 * left) / slot);
        int previous = 0, distinct = 0;
        bool ordered = slots > 3;
        std::string read;
        for (int i = 1; i < slots; ++i) {
            const auto thumbnail = screenPart(*bar, {left + i * slot, inset, slot, height});
            const int index = thumbnail ? testmovie::readFrameIndex(*thumbnail) : -1;
            read += (i > 1 ? " " : "") + std::to_string(index);
            ordered = ordered && index >= previous;
            distinct += index > previous || i == 1 ? 1 : 0;
            previous = index;
        }
        checker_.check(ordered && distinct >= 3,
                       "the strip on the screen shows frames of the movie in time order (" + read + ")");
    }

    void checkControls()
    {
        const auto play = controller_->playPauseButton();
        const auto image = screenPart(*play, play->bounds());
        checker_.check(image && drawnPixels(*image) > 20, "the play button shows its image");
        const auto next = controller_->nextFrameButton();
        const auto nextImage = screenPart(*next, next->bounds());
        checker_.check(nextImage && drawnPixels(*nextImage) > 20, "the next-frame button shows its image");
        const auto time = controller_->timeField();
        const auto text = screenPart(*time, time->bounds());
        checker_.check(time->stringValue() == "00:00:00:000" && text && drawnPixels(*text) > 30,
                       "the time text shows " + time->stringValue());
        const auto slider = controller_->movieSlider();
        const auto knob = screenPart(*slider, slider->bounds());
        checker_.check(knob && drawnPixels(*knob) > 10 && slider->trackingSlider()->isEnabled(),
                       "the time slider is drawn and enabled");
    }

    void checkPlaying()
    {
        const int before = settledIndex();
        controller_->playPauseButton()->performClick(nullptr);
        checker_.check(movie_->player()->playing(), "the play button starts playback");
        const bool moved = waitFor([&] { return shownIndex() >= before + 5; }, 5);
        controller_->playPauseButton()->performClick(nullptr);
        checker_.check(moved, "while playing the screen shows later frames (from " + std::to_string(before) + " to " +
                                  std::to_string(shownIndex()) + ")");
        const int paused = settledIndex();
        checker_.check(movie_->player()->isPaused() && paused == playerIndex(),
                       "paused, the screen holds the player's frame " + std::to_string(paused));
    }

    void checkRightArrow()
    {
        const int before = settledIndex();
        const std::string id = output("xdotool search --name '^" + title_ + "$' | head -n 1");
        if (!checker_.check(!id.empty(), "xdotool finds the window")) return;
        const std::string command = "xdotool key --window " + id.substr(0, id.find('\n')) + " Right";
        checker_.check(std::system(command.c_str()) == 0, "xdotool sends the right arrow key to the window");
        const bool moved = waitFor([&] { return shownIndex() != before; }, 5);
        const int after = settledIndex();
        checker_.check(moved && after == before + 1 && playerIndex() == after,
                       "the right arrow key moves the picture exactly one frame (from " + std::to_string(before) +
                           " to " + std::to_string(after) + ")");
    }

    std::string moviePath_;
    std::string title_;
    Checker checker_;
    std::shared_ptr<orvalis::MovieWindow> window_;
    std::shared_ptr<orvalis::MovieViewController> controller_;
    std::shared_ptr<orvalis::Movie> movie_;
};

class Delegate : public ui::ApplicationDelegate {
public:
    explicit Delegate(std::string moviePath) : moviePath_(std::move(moviePath)) {}
    int result = 1;
    void applicationDidFinishLaunching() override
    {
        core::DispatchQueue::main()->async([this] {
            result = PanelCheck(moviePath_, "panelcheck " + std::to_string(getpid())).run();
            ui::Application::shared()->terminate();
        });
    }

private:
    std::string moviePath_;
};

}  // namespace

int main(int argc, char** argv)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::printf("panelcheck: skipped, there is no X display (run it under xvfb-run)\n");
        return skipped;
    }
    if (std::system("command -v xdotool > /dev/null 2>&1") != 0) {
        std::printf("panelcheck: skipped, xdotool is not installed\n");
        return skipped;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);

    const auto folder = std::filesystem::temp_directory_path() / ("panelcheck-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string moviePath = (folder / "Frames.mp4").string();
    testmovie::MovieSpec spec;
    spec.width = 320;
    spec.height = 240;
    spec.rateNum = frameRate;
    spec.rateDen = 1;
    spec.frameCount = frameCount;
    spec.keyInterval = 10;
    testmovie::writeMovie(moviePath, spec);

    auto delegate = std::make_shared<Delegate>(moviePath);
    ui::Application::shared()->run(argc, argv, delegate);
    std::filesystem::remove_all(folder);
    return delegate->result;
}
