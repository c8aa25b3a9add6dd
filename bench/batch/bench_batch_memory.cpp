// bench_batch_memory: the memory the batch window holds for long lists of movies, with the ffmpeg tool's own
// figure for the same frames beside it. 200 copies of a 2 s 640 × 360 25 fps H.264 movie (50 frames each):
//   peak-mb batch-load-200 M     peak resident memory once the 200 movies are listed (no preview), over the
//                                idle program's
//   growth-mb batch-cycles-5 M   resident memory after five cycles of: list the 200, write 10 frames of each,
//                                clear the finished tasks, remove every movie; over what the first cycle left
//   peak-mb batch-10000 M        peak resident memory of the program over a 10,000-frame batch (50 frames of
//                                each movie)
//   peak-mb batch-10000-ffmpeg M the largest peak of the ffmpeg tool writing the 50 frames of one movie, the
//                                reference
// Each figure is taken in a process of its own (this program run again with the figure's name), so that no
// peak carries over from one to the next.
#include "app/batch/batch_manager.h"
#include "app/batch/batch_movies_controller.h"
#include "app/batch/batch_task.h"
#include "app/batch/batch_tasks_controller.h"
#include "app/batch/batch_window_controller.h"
#include "bench/common/bench_support.h"
#include "platform/core/bundle.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/index_set.h"
#include "platform/core/main_loop.h"
#include "platform/ui/application.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int movieCount = 200;
constexpr int framesPerMovie = 50;

// Serves the main loop for that long.
void serveFor(double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end)
        core::MainLoop::processEvents(0.005);
}

double peakMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

// Resident memory now, with the allocator's free pages given back first.
double residentMB()
{
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

std::vector<core::Url> makeMovies(const fs::path& folder)
{
    const fs::path original = folder / "original.mp4";
    bench::run({bench::ffmpegTool, "-nostdin", "-v", "error", "-f", "lavfi", "-i",
                "testsrc2=size=640x360:rate=25:duration=2", "-c:v", "libx264", "-g", "25", "-pix_fmt", "yuv420p",
                original.string()});
    fs::create_directories(folder / "movies");
    std::vector<core::Url> urls;
    for (int i = 0; i < movieCount; ++i) {
        const fs::path copy = folder / "movies" / ("clip" + std::to_string(i) + ".mp4");
        fs::copy_file(original, copy);
        urls.push_back(core::Url::fileURL(copy.string()));
    }
    return urls;
}

class Batch {
public:
    Batch() : window_(vistrel::BatchWindowController::create())
    {
        // The window loads its interface, and with it the two controllers, on first use.
        if (!window_->window()) bench::fail("no batch window");
        movies_ = window_->outlets().moviesController.lock();
        tasks_ = window_->outlets().tasksController.lock();
        window_->showWindow(nullptr);
    }

    void list(const std::vector<core::Url>& urls)
    {
        movies_->addMovies(urls);
        bench::serveUntil([&] { return window_->movies().size() == urls.size(); }, 120, "listing the movies");
    }

    // N frames in total of every movie listed, into the folder, run to their end.
    void run(int frames, const fs::path& out)
    {
        fs::remove_all(out);
        fs::create_directories(out);
        tasks_->outlets().splitterMatrix.lock()->selectCellAtRow(2);
        tasks_->outlets().countSplitterField.lock()->setIntegerValue(frames);
        tasks_->setExportURL(core::Url::fileURL(out.string()));
        window_->setMoviesSelection(core::IndexSet::inRange(0, long(window_->movies().size())));
        tasks_->launchSnapTasks(nullptr);
        const auto& all = window_->manager()->tasks();
        bench::serveUntil(
            [&] { return std::all_of(all.begin(), all.end(), [](const auto& t) { return t->isFinished(); }); }, 600,
            "the batch");
        std::int64_t written = 0;
        for (const auto& task : all)
            written += task->index() - task->errors();
        if (written != std::int64_t(frames) * std::int64_t(window_->movies().size()))
            bench::fail("the batch wrote " + std::to_string(written) + " frames");
    }

    void clear()
    {
        window_->manager()->removeFinishedTasks();
        window_->setMoviesSelection({});
        window_->setMovies({});
        // The reports of the tasks still queued find nobody.
        serveFor(0.2);
    }

private:
    std::shared_ptr<vistrel::BatchWindowController> window_;
    std::shared_ptr<vistrel::BatchMoviesController> movies_;
    std::shared_ptr<vistrel::BatchTasksController> tasks_;
};

int measure(const std::string& figure, const fs::path& folder)
{
    std::vector<core::Url> movies;
    for (const auto& entry : fs::directory_iterator(folder / "movies"))
        movies.push_back(core::Url::fileURL(entry.path().string()));
    std::sort(movies.begin(), movies.end(), [](const auto& a, const auto& b) { return a.path() < b.path(); });
    Batch batch;
    serveFor(0.5);
    const double idle = residentMB();
    if (figure == "batch-load-200") {
        batch.list(movies);
        std::printf("peak-mb batch-load-200 %.0f\n", peakMB() - idle);
    } else if (figure == "batch-cycles-5") {
        double afterFirst = 0;
        for (int cycle = 0; cycle < 5; ++cycle) {
            batch.list(movies);
            batch.run(10, folder / ("out-" + std::to_string(getpid())));
            batch.clear();
            if (cycle == 0) afterFirst = residentMB();
        }
        std::printf("growth-mb batch-cycles-5 %.0f\n", residentMB() - afterFirst);
    } else {
        batch.list(movies);
        batch.run(framesPerMovie, folder / ("out-" + std::to_string(getpid())));
        std::printf("peak-mb batch-10000 %.0f\n", peakMB());
    }
    std::fflush(stdout);
    return 0;
}

// The ffmpeg tool's peak over the same work, one movie at a time: 50 frames of each of a few movies.
double toolPeakMB(const fs::path& folder)
{
    double peak = 0;
    const fs::path out = folder / "tool";
    for (int i = 0; i < 4; ++i) {
        fs::remove_all(out);
        fs::create_directories(out);
        const pid_t child = bench::launch({bench::ffmpegTool, "-nostdin", "-v", "error", "-i",
                                           (folder / "movies" / ("clip" + std::to_string(i) + ".mp4")).string(),
                                           "-vsync", "0", (out / "%03d.png").string()});
        int status = 0;
        rusage usage{};
        if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            bench::fail("the ffmpeg tool failed");
        peak = std::max(peak, double(usage.ru_maxrss) / 1024);
    }
    return peak;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3) {
        // One figure, in a process of its own, inside the program.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        core::Bundle::setMain(core::Bundle::named("Vistrel"));
        const std::string figure = argv[1];
        const fs::path folder = argv[2];
        class Delegate : public ui::ApplicationDelegate {
        public:
            Delegate(std::string figure, fs::path folder) : figure_(std::move(figure)), folder_(std::move(folder)) {}
            void applicationDidFinishLaunching() override
            {
                core::DispatchQueue::main()->async([this] { std::_Exit(measure(figure_, folder_)); });
            }

        private:
            std::string figure_;
            fs::path folder_;
        };
        char* only[] = {argv[0], nullptr};
        ui::Application::shared()->run(1, only, std::make_shared<Delegate>(figure, folder));
        return 1;
    }
    const fs::path folder = fs::temp_directory_path() / ("bench-batch-memory-" + std::to_string(getpid()));
    fs::create_directories(folder / "config");
    fs::create_directories(folder / "data");
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
    makeMovies(folder);
    for (const char* figure : {"batch-load-200", "batch-cycles-5", "batch-10000"}) {
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            execl("/proc/self/exe", argv[0], figure, folder.c_str(), static_cast<char*>(nullptr));
            std::_Exit(127);
        }
        bench::awaitSuccess(child, figure);
    }
    std::printf("peak-mb batch-10000-ffmpeg %.0f\n", toolPeakMB(folder));
    std::fflush(stdout);
    fs::remove_all(folder);
    return 0;
}
