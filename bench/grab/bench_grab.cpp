// bench_grab: makes a 60 s 1920 × 1080 30 fps H.264 movie with key frames every 250 frames, then times
// accurate grabs against the ffmpeg command-line tool on the same movie, in the same run:
//   ratio grab-dense R    60 grabs one a second, in order, to memory / `ffmpeg -i movie -vf fps=1 -f null -`
//   ratio grab-sparse R   20 grabs at scattered times / 20 runs of `ffmpeg -ss T -i movie -frames:v 1 -f null -`
//   peak-mb grab-dense M  peak resident memory of this process after the 60-grab run
// The two sides take turns, three times each, and each keeps its best time: other work on the machine then
// weighs on both alike.
#include "bench/common/bench_support.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Grabs at the times with a new generator each (as the batch engine does) on one fresh asset.
void grab(const std::string& path, const std::vector<double>& seconds)
{
    auto asset = media::Asset::create(core::Url::fileURL(path));
    for (double s : seconds) {
        auto generator = media::ImageGenerator::create(asset);
        generator->setRequestedTimeToleranceBefore(media::Time::zero());
        generator->setRequestedTimeToleranceAfter(media::Time::zero());
        gfx::ImageRef image = generator->copyImage(media::Time::withSeconds(s, 1000000000));
        if (!image || image->width() != 1920) {
            std::fprintf(stderr, "bench_grab: bad image at %g s\n", s);
            std::exit(1);
        }
    }
}

}  // namespace

int main()
{
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("bench-grab-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::string movie = (folder / "movie.mp4").string();
    bench::makeMovie(movie, 60);

    std::vector<double> dense;
    for (int s = 0; s < 60; ++s)
        dense.push_back(s);
    // Scattered over the whole movie in no order, none on a key frame.
    std::vector<double> sparse;
    for (int i = 0; i < 20; ++i)
        sparse.push_back(double((i * 37 + 11) % 59) + 0.37);

    // The first round of grabs alone gives the peak memory of a 60-grab run.
    grab(movie, dense);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    double peakMB = double(usage.ru_maxrss) / 1024;

    const bench::Turns denseTurns = bench::bestInTurns(
        [&] { grab(movie, dense); },
        [&] {
            bench::run({bench::ffmpegTool, "-nostdin", "-v", "error", "-i", movie, "-vf", "fps=1", "-f", "null", "-"});
        });
    const bench::Turns sparseTurns =
        bench::bestInTurns([&] { grab(movie, sparse); },
                           [&] {
                               for (double s : sparse)
                                   bench::run({bench::ffmpegTool, "-nostdin", "-v", "error", "-ss", std::to_string(s),
                                               "-i", movie, "-frames:v", "1", "-f", "null", "-"});
                           });

    bench::printTurns("grab-dense", denseTurns);
    bench::printTurns("grab-sparse", sparseTurns);
    std::printf("peak-mb grab-dense %.0f\n", peakMB);
    std::fflush(stdout);
    std::fprintf(stderr, "bench_grab: dense %.2f s vs %.2f s, sparse %.2f s vs %.2f s\n", denseTurns.ours,
                 denseTurns.theirs, sparseTurns.ours, sparseTurns.theirs);
    std::filesystem::remove_all(folder);
    return 0;
}
