// bench_step_back: single steps back through the player on the 60 s 1920 × 1080 30 fps H.264 movie with key
// frames every 250 frames: an accurate seek at each of six places, then five steps back, each timed from the
// call to the new picture in the frame handler. Against the median time of
// `ffmpeg -ss T -i movie -frames:v 1 -f null -` for the same frames, in the same run:
//   ratio step-back R         the median step over the ffmpeg median
//   ratio step-back-worst R   the slowest step over the ffmpeg median
//   cpu-seconds step-back-ours T user U system S     processor time of a step, on average
//   cpu-seconds step-back-ffmpeg T user U system S   the same of a run of the tool
// The movie is made once and kept in the build folder (bench-movies).
#include "bench/common/bench_support.h"
#include "platform/core/main_loop.h"
#include "platform/media/player.h"
#include "tools/testmovie/test_movie.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::fail;

constexpr int fps = 30;
constexpr int stepsPerPlace = 5;
// Seconds into the movie, at every depth into a stretch of 250 frames (8.3 s) from near its start to its end.
constexpr double places[] = {7.9, 9.1, 15.8, 27.5, 33.0, 57.5};

using Clock = std::chrono::steady_clock;

// Runs the main loop until the condition holds; false after 30 s.
template <class Condition>
bool await(Condition condition)
{
    const auto start = Clock::now();
    while (!condition()) {
        if (Clock::now() - start > std::chrono::seconds(30)) return false;
        core::MainLoop::processEvents(0.0005);
    }
    return true;
}

}  // namespace

int main()
{
    core::MainLoop::init();
    const std::string movie = bench::cachedMovie(60, "mp4");
    auto player = media::Player::create(media::PlayerItem::create(media::Asset::create(core::Url::fileURL(movie))));
    int pictures = 0;
    int shownIndex = -1;
    player->setFrameHandler([&](const gfx::ImageRef& image) {
        ++pictures;
        shownIndex = testmovie::readFrameIndex(*image);
    });
    if (!await([&] { return pictures > 0; })) fail("no first picture");

    std::vector<double> steps;
    std::vector<int> frames;
    bench::CpuTime stepsCpu;
    for (double place : places) {
        const int frame = int(place * fps);
        bool done = false, finished = false;
        const int before = pictures;
        player->seek(media::Time::make(frame, fps), media::Time::zero(), media::Time::zero(), [&](bool ok) {
            done = true;
            finished = ok;
        });
        if (!await([&] { return done && pictures > before; }) || !finished || shownIndex != frame)
            fail("the seek to frame " + std::to_string(frame) + " did not land");
        for (int step = 1; step <= stepsPerPlace; ++step) {
            const int waiting = pictures;
            const auto start = Clock::now();
            const bench::CpuTime cpuBefore = bench::ownCpuTime();
            player->step(-1);
            if (!await([&] { return pictures > waiting; })) fail("no picture after a step");
            steps.push_back(std::chrono::duration<double>(Clock::now() - start).count());
            stepsCpu = stepsCpu + (bench::ownCpuTime() - cpuBefore);
            if (shownIndex != frame - step)
                fail("a step back from frame " + std::to_string(frame - step + 1) + " showed " +
                     std::to_string(shownIndex));
            frames.push_back(frame - step);
        }
    }

    const bench::CpuTime childrenBefore = bench::childrenCpuTime();
    std::vector<double> theirs;
    for (int frame : frames) {
        const double at = double(frame) / fps;
        theirs.push_back(bench::secondsTaken([&] {
            bench::run({bench::ffmpegTool, "-nostdin", "-v", "error", "-ss", std::to_string(at), "-i", movie,
                        "-frames:v", "1", "-f", "null", "-"});
        }));
    }
    const bench::CpuTime theirsCpu = (bench::childrenCpuTime() - childrenBefore) / double(theirs.size());
    const double reference = bench::median(theirs);
    const double median = bench::median(steps);
    const double worst = *std::max_element(steps.begin(), steps.end());
    std::printf("ratio step-back %.3f\n", median / reference);
    std::printf("ratio step-back-worst %.3f\n", worst / reference);
    bench::printCpuSeconds("step-back", stepsCpu / double(steps.size()), theirsCpu);
    std::fflush(stdout);
    std::fprintf(stderr, "bench_step_back: median step %.1f ms, slowest %.1f ms, ffmpeg median %.1f ms\n",
                 median * 1000, worst * 1000, reference * 1000);
    return 0;
}
