// bench_document: makes a 60 s 1920 × 1080 30 fps H.264 movie with key frames every 250 frames, opens it as a
// document of the program (offscreen), and measures against the ffmpeg command-line tool on the same movie,
// in the same run:
//   ratio snap-latency R      the snap command, the player paused in the middle of a key-frame interval, until
//                             its miniature is in the strip / `ffmpeg -ss T -i movie -frames:v 1 -f null -`
//   ratio generate-100 R      100 snaps over the whole movie, from the command to the last miniature in the
//                             strip / ffmpeg selecting the same 100 frames and scaling them to the same size
//   peak-mb document-1000 M   peak resident memory of this process once a document holds 1000 snaps
// The two sides take turns, three times each, and each keeps its best time.
#include "app/document/application_parts.h"
#include "app/document/document.h"
#include "app/document/generate_popover_controller.h"
#include "app/document/movie_opening.h"
#include "app/document/snap_cell.h"
#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "bench/common/bench_support.h"
#include "bench/common/program_bench.h"
#include "foundation/shortcuts.h"
#include "moviekit/player.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <sys/resource.h>

namespace {

using bench::fail;

// Serves the main loop until `done`; fails the benchmark when the document has not finished in 60 s.
void serveUntil(const std::function<bool()>& done)
{
    bench::serveUntil(done, 60, "the document did not finish in time");
}

constexpr int framesPerSecond = 30;
// Frame 375: half-way between the key frames 250 and 500.
constexpr int snapFrame = 375;

// The strip shows `count` cells, each with its miniature.
bool stripShows(vistrel::Document& document, std::size_t count)
{
    const auto& cells = document.outlets().snapsView.lock()->cells();
    return cells.size() == count && cells.back()->image() != nullptr;
}

void removeAllSnaps(vistrel::Document& document)
{
    document.snapsManager()->removeAll();
    serveUntil([&] { return document.outlets().snapsView.lock()->cells().empty(); });
}

// `count` snaps over the whole movie: the generator's inner points, without the start and the end.
void generate(vistrel::Document& document, int count)
{
    auto popover = document.generatorPopoverController();
    popover->closePopover();
    popover->resetTimes(nullptr);
    popover->outlets().includeStartButton.lock()->setState(ui::ControlState::off);
    popover->changeIncludeStart(popover->outlets().includeStartButton.lock());
    popover->outlets().includeEndButton.lock()->setState(ui::ControlState::off);
    popover->changeIncludeEnd(popover->outlets().includeEndButton.lock());
    popover->outlets().framesTextField.lock()->setIntegerValue(count);
    popover->changeFrames(popover->outlets().framesTextField.lock());
    const std::size_t before = document.outlets().snapsView.lock()->cells().size();
    popover->generateSnaps(nullptr);
    serveUntil([&] { return stripShows(document, before + std::size_t(count)); });
}

// ffmpeg's select expression for the frames holding the generator's times over the movie.
std::string selectFrames(int count, int movieFrames)
{
    std::string expression;
    for (int i = 1; i <= count; ++i) {
        // Inner point i of count + 1 equal parts of the movie, in frames, as the splitter rounds its interval up.
        const long frame = long(std::floor(double(i) * movieFrames / (count + 1)));
        expression += (expression.empty() ? "" : "+") + std::string("eq(n\\,") + std::to_string(frame) + ")";
    }
    return "select='" + expression + "',scale=300:-2";
}

int runBenchmarks(const std::string& movie)
{
    vistrel::registerApplicationParts();
    vistrel::openDocument(*kestrane::DC.get(), core::Url::fileURL(movie));
    if (kestrane::DC->documents().empty()) fail("the movie did not open");
    auto document = std::dynamic_pointer_cast<vistrel::Document>(kestrane::DC->documents().front());

    // The player paused on the frame, as after the user stepped there.
    const media::Time snapTime = media::Time::make(snapFrame, framesPerSecond);
    auto player = document->movie()->player();
    player->seekAccurately(snapTime);
    serveUntil([&] { return player->avplayer()->videoFrameShownAt(snapTime) != nullptr; });

    const double seconds = double(snapFrame) / framesPerSecond;
    const bench::Turns snap = bench::bestInTurns(
        [&] {
            removeAllSnaps(*document);
            document->snapImage(nullptr);
            serveUntil([&] { return stripShows(*document, 1); });
        },
        [&] {
            bench::run({bench::ffmpegTool, "-nostdin", "-v", "error", "-ss", std::to_string(seconds), "-i", movie,
                        "-frames:v", "1", "-f", "null", "-"});
        });

    const int movieFrames = 60 * framesPerSecond;
    const bench::Turns generation = bench::bestInTurns(
        [&] {
            removeAllSnaps(*document);
            generate(*document, 100);
        },
        [&] {
            bench::run({bench::ffmpegTool, "-nostdin", "-v", "error", "-i", movie, "-vf",
                        selectFrames(100, movieFrames), "-vsync", "0", "-f", "null", "-"});
        });

    removeAllSnaps(*document);
    generate(*document, 1000);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMB = double(usage.ru_maxrss) / 1024;

    bench::printTurns("snap-latency", snap);
    bench::printTurns("generate-100", generation);
    std::printf("peak-mb document-1000 %.0f\n", peakMB);
    std::fflush(stdout);
    std::fprintf(stderr, "bench_document: snap %.3f s vs %.3f s, generate-100 %.2f s vs %.2f s\n", snap.ours,
                 snap.theirs, generation.ours, generation.theirs);
    return 0;
}

}  // namespace

int main(int, char** argv)
{
    return bench::runInProgram("bench-document", argv[0], [](const std::filesystem::path& folder) {
        return runBenchmarks((folder / "movie.mp4").string());
    });
}
