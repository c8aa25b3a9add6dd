// bench_playback: makes a 60 s 1920 × 1080 30 fps H.264 movie with a key frame every 250 frames, plays it at
// rate 1 for 10 s on the system clock with no audio device, and prints the share of the frames due in that time
// that were shown more than half a frame late or not at all:
//   late-percent playback-1080p P
// A movie path as the first argument is played instead of a new one.
#include "bench/common/bench_support.h"
#include "platform/core/error.h"
#include "platform/core/main_loop.h"
#include "platform/media/player.h"
#include "tools/testmovie/test_movie.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <unistd.h>

namespace {

constexpr double fps = 30;
constexpr double playSeconds = 10;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

}  // namespace

int main(int argc, char** argv)
{
    core::MainLoop::init();
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("bench-playback-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    int status = 0;
    try {
        std::string path = argc > 1 ? argv[1] : (folder / "playback-1080p.mp4").string();
        if (argc <= 1) bench::makeMovie(path, 60);
        auto item = media::PlayerItem::create(media::Asset::create(core::Url::fileURL(path)));
        auto player = media::Player::create(item);

        // Frame index → how late it came on screen, in seconds after its due time.
        std::set<int> shown;
        int late = 0;
        bool started = false;
        Clock::time_point start;
        player->setFrameHandler([&](const gfx::ImageRef& image) {
            if (!started) return;
            int index = testmovie::readFrameIndex(*image);
            if (index < 0 || !shown.insert(index).second) return;
            if (secondsSince(start) - index / fps > 0.5 / fps) ++late;
        });
        Clock::time_point ready = Clock::now();
        while (!player->currentVideoFrame() && secondsSince(ready) < 10)
            core::MainLoop::processEvents(0.001);
        // Let the decoder fill its queue as it would while the user looks at the first picture.
        core::MainLoop::processEvents(0.2);

        started = true;
        start = Clock::now();
        player->play();
        while (secondsSince(start) < playSeconds)
            core::MainLoop::processEvents(0.002);
        player->pause();

        int due = int(playSeconds * fps);
        int missing = 0;
        for (int k = 1; k < due; ++k)
            if (!shown.count(k)) ++missing;
        double percent = 100.0 * (late + missing) / (due - 1);
        std::printf("late-percent playback-1080p %.2f\n", percent);
        std::fflush(stdout);
        std::fprintf(stderr, "bench_playback: %d frames due, %d shown late, %d never shown\n", due - 1, late, missing);
    } catch (const core::Error& e) {
        std::fprintf(stderr, "bench_playback: %s\n", e.what());
        status = 1;
    }
    std::filesystem::remove_all(folder);
    return status;
}
