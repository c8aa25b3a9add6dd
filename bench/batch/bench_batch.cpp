// bench_batch: makes a 60 s 1920 × 1080 30 fps H.264 movie with key frames every 250 frames and copies it four
// times, then times the batch engine against the ffmpeg command-line tool on the four copies, in the same run:
//   ratio batch-4x60 R   4 batch tasks at once, a frame every second as JPEG at full size /
//                        4 processes at once of `ffmpeg -i movie -vf fps=1 -q:v 1 folder/%03d.jpg`
//   peak-mb batch-4x60 M peak resident memory of this process after the first batch run
// The two sides take turns, three times each, and each keeps its best time: other work on the machine then
// weighs on both alike.
#include "app/batch/batch_manager.h"
#include "app/batch/batch_task.h"
#include "bench/common/bench_support.h"
#include "moviekit/movie.h"
#include "platform/core/main_loop.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int movieCount = 4;
constexpr int movieSeconds = 60;

// An empty folder at the path.
void freshFolder(const fs::path& folder)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
}

void expectFrames(const fs::path& folder, std::size_t least)
{
    std::size_t count = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    if (count < least) {
        std::fprintf(stderr, "bench_batch: %zu files in %s\n", count, folder.c_str());
        std::exit(1);
    }
}

// The batch engine: one task per movie, every second of the movie from its start, JPEG at full size.
void runBatch(const std::vector<std::string>& movies, const std::vector<fs::path>& folders)
{
    auto manager = vistrel::BatchManager::create();
    std::vector<std::shared_ptr<vistrel::BatchTask>> tasks;
    for (std::size_t i = 0; i < movies.size(); ++i) {
        freshFolder(folders[i]);
        auto task = vistrel::BatchTask::create(orvalis::Movie::create(core::Url::fileURL(movies[i])),
                                               core::Url::fileURL(folders[i].string()));
        orvalis::TimeSplitter splitter(media::TimeRange{media::Time::zero(), media::Time::make(movieSeconds, 1)});
        splitter.interval = media::Time::make(1, 1);
        splitter.includeStart = true;
        task->setSplitter(splitter);
        task->setFormat(kestrane::ImageFormat::jpg);
        tasks.push_back(task);
    }
    manager->appendTasks(tasks);
    while (!std::all_of(tasks.begin(), tasks.end(), [](const auto& t) { return t->isFinished(); }))
        core::MainLoop::processEvents(0.005);
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        if (tasks[i]->errors() != 0) {
            std::fprintf(stderr, "bench_batch: %lld frames failed\n", (long long)tasks[i]->errors());
            std::exit(1);
        }
        expectFrames(folders[i], std::size_t(movieSeconds));
    }
}

// The same work with four ffmpeg processes at once.
void runTool(const std::vector<std::string>& movies, const std::vector<fs::path>& folders)
{
    std::vector<pid_t> children;
    for (std::size_t i = 0; i < movies.size(); ++i) {
        freshFolder(folders[i]);
        children.push_back(bench::launch({bench::ffmpegTool, "-nostdin", "-v", "error", "-i", movies[i], "-vf", "fps=1",
                                          "-q:v", "1", (folders[i] / "%03d.jpg").string()}));
    }
    for (pid_t child : children)
        bench::awaitSuccess(child, bench::ffmpegTool);
    for (const auto& folder : folders)
        expectFrames(folder, std::size_t(movieSeconds));
}

}  // namespace

int main()
{
    const fs::path folder = fs::temp_directory_path() / ("bench-batch-" + std::to_string(getpid()));
    fs::create_directories(folder / "config");
    // A settings folder of its own: the frame limit is the engine's default.
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    const std::string original = (folder / "movie.mp4").string();
    bench::makeMovie(original, movieSeconds);
    std::vector<std::string> movies;
    std::vector<fs::path> ours, theirs;
    for (int i = 0; i < movieCount; ++i) {
        movies.push_back((folder / ("movie" + std::to_string(i) + ".mp4")).string());
        fs::copy_file(original, movies.back());
        ours.push_back(folder / ("ours" + std::to_string(i)));
        theirs.push_back(folder / ("theirs" + std::to_string(i)));
    }
    core::MainLoop::init();

    // The first batch run alone gives the peak memory.
    runBatch(movies, ours);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMB = double(usage.ru_maxrss) / 1024;

    const bench::Turns batch = bench::bestInTurns([&] { runBatch(movies, ours); }, [&] { runTool(movies, theirs); });

    bench::printTurns("batch-4x60", batch);
    std::printf("peak-mb batch-4x60 %.0f\n", peakMB);
    std::fflush(stdout);
    std::fprintf(stderr, "bench_batch: %.2f s vs %.2f s\n", batch.ours, batch.theirs);
    fs::remove_all(folder);
    return 0;
}
