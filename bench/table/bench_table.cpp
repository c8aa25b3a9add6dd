// bench_table: makes 200 short movies (2 s, 640 × 360, 25 fps H.264) in one folder, then times dropping the
// folder on the batch window's movies table until every row shows its duration, size and frame rate, against
// the ffprobe command-line tool reading the same from each file, in the same run:
//   ratio table-load-200 R   the drop until every row is complete / ffprobe on each file, one process each,
//                            8 at once
// The window runs on the offscreen platform. The two sides take turns, three times each, and each keeps its
// best time; every drop makes new movies, so that nothing read in one round serves the next.
#include "app/batch/batch_movies_controller.h"
#include "app/batch/batch_window_controller.h"
#include "bench/common/bench_support.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/main_loop.h"
#include "platform/ui/application.h"
#include "platform/ui/window.h"
#include "tools/testmovie/test_movie.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using bench::fail;

namespace fs = std::filesystem;

constexpr int movieCount = 200;
constexpr std::size_t toolsAtOnce = 8;
constexpr const char* ffprobeTool = "/usr/bin/ffprobe";

std::vector<std::string> makeMovies(const fs::path& folder)
{
    fs::create_directories(folder);
    testmovie::MovieSpec spec;
    spec.width = 640;
    spec.height = 360;
    spec.rateNum = 25;
    spec.rateDen = 1;
    spec.frameCount = 50;
    spec.keyInterval = 25;
    spec.texture = true;
    const fs::path first = folder / "movie000.mp4";
    testmovie::writeMovie(first.string(), spec);
    std::vector<std::string> movies{first.string()};
    for (int i = 1; i < movieCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "movie%03d.mp4", i);
        fs::copy_file(first, folder / name);
        movies.push_back((folder / name).string());
    }
    return movies;
}

// True when every row shows a duration, a size and a frame rate.
bool everyRowComplete(vistrel::BatchWindowController& window)
{
    auto movies = window.outlets().moviesController.lock();
    auto table = movies->outlets().moviesTableView.lock();
    if (long(window.movies().size()) != movieCount || table->numberOfRows() != movieCount) return false;
    for (long row = 0; row < movieCount; ++row)
        for (const auto& column : table->tableColumns()) {
            const std::any value = movies->objectValueFor(*table, column, row);
            const auto* text = std::any_cast<std::string>(&value);
            const auto* number = std::any_cast<long>(&value);
            if (column->title() == "FPS" ? !number || *number != 25 : !text || text->empty() || *text == "0 x 0")
                return false;
        }
    return true;
}

void dropOnTable(vistrel::BatchWindowController& window, const fs::path& folder)
{
    window.setMovies({});
    window.outlets().moviesController.lock()->insertMovies({core::Url::fileURL(folder.string())}, 0);
    while (!everyRowComplete(window))
        core::MainLoop::processEvents(0.001);
}

// ffprobe on each movie, one process each, a few at once.
void probeWithTool(const std::vector<std::string>& movies)
{
    std::vector<pid_t> running;
    for (const auto& movie : movies) {
        if (running.size() == toolsAtOnce) {
            bench::awaitSuccess(running.front(), ffprobeTool);
            running.erase(running.begin());
        }
        running.push_back(bench::launch({ffprobeTool, "-v", "error", "-select_streams", "v:0", "-show_entries",
                                         "stream=width,height,r_frame_rate,duration", "-of", "csv=p=0", movie}));
    }
    for (pid_t child : running)
        bench::awaitSuccess(child, ffprobeTool);
}

class Bench : public ui::ApplicationDelegate {
public:
    explicit Bench(fs::path folder) : folder_(std::move(folder)) {}

    // Runs once the loop serves events, so that the end can end it.
    void applicationDidFinishLaunching() override
    {
        core::DispatchQueue::main()->async([this] { measure(); });
    }

private:
    void measure()
    {
        const auto movies = makeMovies(folder_ / "movies");
        auto window = vistrel::BatchWindowController::create();
        window->showWindow(nullptr);
        if (!window->outlets().moviesController.lock()) fail("the batch window has no movies table");
        const bench::Turns turns =
            bench::bestInTurns([&] { dropOnTable(*window, folder_ / "movies"); }, [&] { probeWithTool(movies); });
        bench::printTurns("table-load-200", turns);
        std::fflush(stdout);
        std::fprintf(stderr, "bench_table: %.3f s vs %.3f s\n", turns.ours, turns.theirs);
        window->manager()->cancelAllTasks();
        window->window()->close();
        ui::Application::shared()->terminate();
    }

    fs::path folder_;
};

}  // namespace

int main(int argc, char** argv)
{
    const fs::path folder = fs::temp_directory_path() / ("bench-table-" + std::to_string(getpid()));
    fs::create_directories(folder / "config");
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    auto bench = std::make_shared<Bench>(folder);
    const int status = ui::Application::shared()->run(argc, argv, bench);
    fs::remove_all(folder);
    return status;
}
