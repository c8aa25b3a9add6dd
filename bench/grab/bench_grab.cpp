// bench_grab: makes a 60 s 1920 × 1080 30 fps H.264 movie with key frames every 250 frames, then times
// accurate grabs against the ffmpeg command-line tool on the same movie, in the same run:
//   ratio grab-dense R    60 grabs one a second, in order, to memory / `ffmpeg -i movie -vf fps=1 -f null -`
//   ratio grab-sparse R   20 grabs at scattered times / 20 runs of `ffmpeg -ss T -i movie -frames:v 1 -f null -`
//   peak-mb grab-dense M  peak resident memory of this process after the 60-grab run
// The two sides take turns, three times each, and each keeps its best time: other work on the machine then
// weighs on both alike.
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "tools/testmovie/test_movie.h"

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

constexpr const char* ffmpegTool = "/usr/bin/ffmpeg";

double secondsTaken(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best times of ours and theirs over rounds in which they take turns.
std::pair<double, double> bestInTurns(const std::function<void()>& ours, const std::function<void()>& theirs)
{
    double best[2] = {1e300, 1e300};
    for (int round = 0; round < 3; ++round) {
        best[0] = std::min(best[0], secondsTaken(ours));
        best[1] = std::min(best[1], secondsTaken(theirs));
    }
    return {best[0], best[1]};
}

// Runs a program with its output thrown away; exits the benchmark when it fails.
void run(const std::vector<std::string>& arguments)
{
    pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        std::vector<char*> argv;
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_grab: %s failed\n", arguments[0].c_str());
        std::exit(1);
    }
}

// Writes the movie in a child process, so that the encoder's memory does not count as ours.
void makeMovie(const std::string& path)
{
    pid_t child = fork();
    if (child == 0) {
        testmovie::MovieSpec spec;
        spec.width = 1920;
        spec.height = 1080;
        spec.rateNum = 30;
        spec.rateDen = 1;
        spec.frameCount = 60 * 30;
        spec.keyInterval = 250;
        spec.texture = true;
        try {
            testmovie::writeMovie(path, spec);
        } catch (const testmovie::Failure& failure) {
            std::fprintf(stderr, "bench_grab: %s\n", failure.what());
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::exit(1);
}

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
    makeMovie(movie);

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

    auto [ourDense, theirDense] = bestInTurns([&] { grab(movie, dense); }, [&] {
        run({ffmpegTool, "-nostdin", "-v", "error", "-i", movie, "-vf", "fps=1", "-f", "null", "-"});
    });
    auto [ourSparse, theirSparse] = bestInTurns([&] { grab(movie, sparse); }, [&] {
        for (double s : sparse)
            run({ffmpegTool, "-nostdin", "-v", "error", "-ss", std::to_string(s), "-i", movie, "-frames:v", "1",
                 "-f", "null", "-"});
    });

    std::printf("ratio grab-dense %.3f\n", ourDense / theirDense);
    std::printf("ratio grab-sparse %.3f\n", ourSparse / theirSparse);
    std::printf("peak-mb grab-dense %.0f\n", peakMB);
    std::fflush(stdout);
    std::fprintf(stderr, "bench_grab: dense %.2f s vs %.2f s, sparse %.2f s vs %.2f s\n", ourDense, theirDense,
                 ourSparse, theirSparse);
    std::filesystem::remove_all(folder);
    return 0;
}
