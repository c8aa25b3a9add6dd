// bench_strip: makes a 60 s 1920 × 1080 30 fps H.264 movie with a key frame every 250 frames, then times the
// slide bar's strip of thumbnails against the ffmpeg command-line tool, in the same run:
//   ratio strip-fill R   from setting a movie on a 600 × 50 bar in a window at scale 2 to the drawing that
//                        shows its last thumbnail (9 of 142 × 80 pixels, from key frames) /
//                        `ffmpeg -skip_frame nokey -i movie -vf scale=142:80 -f null -` (every key frame, scaled)
// Each turn sets a new Movie of the file, opened and with its player made beforehand, as the movie panel has
// done by the time it hands its movie to the bar (the movie view shows it first). The two sides take turns,
// three times each, and each keeps its best time. Runs on the offscreen display.
#include "bench/common/bench_support.h"
#include "moviekit/movie.h"
#include "moviekit/movie_slide_bar.h"
#include "moviekit/player.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/main_loop.h"
#include "platform/ui/application.h"
#include "platform/ui/application_delegate.h"
#include "platform/ui/window.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

using bench::fail;

using Clock = std::chrono::steady_clock;

constexpr std::size_t slots = 9;

// Notes when a drawing first shows the whole strip.
class TimedBar : public orvalis::MovieSlideBar {
public:
    using MovieSlideBar::MovieSlideBar;
    void draw(const gfx::Rect& dirty) override
    {
        MovieSlideBar::draw(dirty);
        if (!stripDrawn && thumbnails().size() == slots) stripDrawn = Clock::now();
    }
    std::optional<Clock::time_point> stripDrawn;
};

// A new movie of the file, opened, with its player.
orvalis::MovieRef openedMovie(const core::Url& url)
{
    auto movie = orvalis::Movie::create(url);
    if (!movie->playable()) fail("the movie cannot be played");
    movie->player();
    return movie;
}

// Sets the movie on the bar and serves the main loop until the whole strip has been drawn.
void fillStrip(TimedBar& bar, const orvalis::MovieRef& movie)
{
    bar.stripDrawn.reset();
    bar.setMovie(movie);
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (!bar.stripDrawn && Clock::now() < deadline)
        core::MainLoop::processEvents(0.001);
    if (!bar.stripDrawn) fail("the strip was never drawn whole");
    for (const auto& image : bar.thumbnails())
        if (!image || image->width() != 142) fail("a thumbnail is missing or not 142 pixels wide");
}

int measure()
{
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("bench-strip-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string movie = (folder / "movie.mp4").string();
    bench::makeMovie(movie, 60);
    const core::Url url = core::Url::fileURL(movie);

    auto window = ui::Window::create({100, 100, 600, 50}, ui::StyleMask::titled);
    auto bar = core::make<TimedBar>(gfx::Rect{0, 0, 600, 50});
    window->contentView()->addSubview(bar);
    window->makeKeyAndOrderFront(nullptr);

    orvalis::MovieRef next;
    auto prepare = [&] {
        bar->setMovie(nullptr);
        next = openedMovie(url);
    };
    const bench::Turns turns = bench::bestInTurns(
        prepare, [&] { fillStrip(*bar, next); },
        [&] {
            bench::run({bench::ffmpegTool, "-nostdin", "-v", "error", "-skip_frame", "nokey", "-i", movie, "-vf",
                        "scale=142:80", "-f", "null", "-"});
        });
    bar->setMovie(nullptr);
    window->close();
    std::filesystem::remove_all(folder);

    bench::printTurns("strip-fill", turns);
    std::fflush(stdout);
    std::fprintf(stderr, "bench_strip: strip %.3f s vs %.3f s\n", turns.ours, turns.theirs);
    return 0;
}

class Delegate : public ui::ApplicationDelegate {
public:
    int result = 1;
    void applicationDidFinishLaunching() override
    {
        core::DispatchQueue::main()->async([this] {
            result = measure();
            ui::Application::shared()->terminate();
        });
    }
};

}  // namespace

int main(int argc, char** argv)
{
    // The bar is measured as a screen of scale 2 shows it, without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_SCALE_FACTOR", "2", 1);
    auto delegate = std::make_shared<Delegate>();
    ui::Application::shared()->run(argc, argv, delegate);
    return delegate->result;
}
