// bench_export: makes a 60 s 1920 × 1080 30 fps H.264 movie with key frames every 250 frames, opens it as a
// document of the program (offscreen), and measures its exports against the ffmpeg command-line tool on the
// same movie and frames, in the same run:
//   ratio export-20 R         20 snaps spread over the movie written as JPEG at full size, from the export
//                             command to the last file in place / ffmpeg writing the same 20 frames in one run
//                             (`select` filter, `-q:v 1`)
//   ratio gif-export-30 R     a GIF of 30 snaps at the default size (the movie's), from the command to the file
//                             in place / ffmpeg's two runs of palettegen and paletteuse on the same frames
//   psnr-delta gif-export D   our GIF's PSNR minus ffmpeg's, both against the frames as ffmpeg decodes them
//   peak-mb gif-export-300 M  peak resident memory of a GIF export of 300 snaps at the movie's size: the
//                             process's peak while it runs over its resident size when it starts (the first
//                             work of the run, in a document just opened)
// The two sides take turns, three times each, and each keeps its best time.
#include "app/document/application_parts.h"
#include "app/document/document.h"
#include "app/document/movie_opening.h"
#include "bench/common/bench_quality.h"
#include "bench/common/bench_support.h"
#include "bench/common/program_bench.h"
#include "foundation/shortcuts.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

using bench::fail;

// Serves the main loop until `done`; fails the benchmark when the export has not finished in 120 s.
void serveUntil(const std::function<bool()>& done)
{
    bench::serveUntil(done, 120, "the export did not finish in time");
}

namespace fs = std::filesystem;

constexpr int framesPerSecond = 30;
constexpr int width = 1920, height = 1080;

// `count` frames spread evenly over the movie: the middle of each of `count` equal parts.
std::vector<int> spreadFrames(int count)
{
    const int movieFrames = 60 * framesPerSecond;
    std::vector<int> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(movieFrames * (2 * i + 1) / (2 * count));
    return frames;
}

vistrel::SnapItems snapsOf(const std::vector<int>& frames)
{
    vistrel::SnapItems snaps;
    for (const int k : frames)
        snaps.push_back(vistrel::SnapItem::create(media::Time::make(k, framesPerSecond), orvalis::Edition::identity));
    return snaps;
}

// ffmpeg's filter that keeps those frames.
std::string selectFrames(const std::vector<int>& frames)
{
    std::string expression;
    for (const int k : frames)
        expression += (expression.empty() ? "" : "+") + std::string("eq(n\\,") + std::to_string(k) + ")";
    return "select='" + expression + "'";
}

std::vector<std::string> ffmpeg(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), {bench::ffmpegTool, "-nostdin", "-y", "-v", "error"});
    return arguments;
}

// The frames as ffmpeg decodes them, as BGRA pictures.
std::vector<gfx::ImageRef> sourceFrames(const std::string& movie, const std::vector<int>& frames,
                                        const fs::path& folder)
{
    const fs::path raw = folder / "frames.raw";
    bench::run(ffmpeg(
        {"-i", movie, "-vf", selectFrames(frames), "-vsync", "0", "-pix_fmt", "bgra", "-f", "rawvideo", raw.string()}));
    std::ifstream in(raw, std::ios::binary);
    std::vector<gfx::ImageRef> images;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        std::vector<gfx::Pixel> pixels(std::size_t(width) * height);
        in.read(reinterpret_cast<char*>(pixels.data()), std::streamsize(pixels.size() * sizeof(gfx::Pixel)));
        if (!in) fail("ffmpeg decoded fewer frames than selected");
        images.push_back(gfx::Image::create(width, height, std::move(pixels)));
    }
    fs::remove(raw);
    return images;
}

// Starts the process's peak resident size again from its present size; false where the system does not allow it.
bool resetPeakResident()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

// A size of the process's own status ("VmRSS:" now, "VmHWM:" its peak since the last reset), in MB.
double statusMB(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0) return std::stod(line.substr(key.size())) / 1024;
    fail("the process's " + key + " could not be read");
}

void removeContents(const fs::path& folder)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
}

int runBenchmarks(const fs::path& folder)
{
    const std::string movie = (folder / "movie.mp4").string();
    vistrel::registerApplicationParts();
    vistrel::openDocument(*kestrane::DC.get(), core::Url::fileURL(movie));
    if (kestrane::DC->documents().empty()) fail("the movie did not open");
    auto document = std::dynamic_pointer_cast<vistrel::Document>(kestrane::DC->documents().front());
    const auto exported = [&](const std::function<void()>& start) {
        start();
        serveUntil([&] { return !vistrel::isBusy(document->state()); });
    };

    // A GIF of three hundred frames at the movie's size, first, so that nothing else weighs on the memory: the
    // peak while it is written, whatever the number of frames.
    const fs::path ours = folder / "ours", theirs = folder / "theirs";
    const fs::path ourGIF = ours / "ours.gif";
    removeContents(ours);
    if (!resetPeakResident()) fail("the peak memory could not be reset");
    const double startMB = statusMB("VmRSS:");
    exported([&] { document->exports().exportGIF(snapsOf(spreadFrames(300)), core::Url::fileURL(ourGIF.string())); });
    const double gifPeakMB = statusMB("VmHWM:");
    if (!fs::exists(ourGIF)) fail("the GIF of 300 frames was not written");

    // Twenty JPEG files at full size.
    const std::vector<int> twenty = spreadFrames(20);
    const auto twentySnaps = snapsOf(twenty);
    const bench::Turns jpegExport = bench::bestInTurns(
        [&] {
            removeContents(ours);
            document->exports().setExportFormat(kestrane::ImageFormat::jpg);
            exported([&] { document->exports().exportImages(twentySnaps, core::Url::fileURL(ours.string())); });
        },
        [&] {
            removeContents(theirs);
            bench::run(ffmpeg({"-i", movie, "-vf", selectFrames(twenty), "-vsync", "0", "-q:v", "1",
                               (theirs / "%02d.jpg").string()}));
        });
    if (std::distance(fs::directory_iterator(ours), {}) != 20) fail("the export did not write 20 files");

    // A GIF of thirty frames at the movie's size.
    const std::vector<int> thirty = spreadFrames(30);
    const auto thirtySnaps = snapsOf(thirty);
    const fs::path palette = theirs / "palette.png", theirGIF = theirs / "ffmpeg.gif";
    const bench::Turns gifExport = bench::bestInTurns(
        [&] {
            removeContents(ours);
            exported([&] { document->exports().exportGIF(thirtySnaps, core::Url::fileURL(ourGIF.string())); });
        },
        [&] {
            removeContents(theirs);
            bench::run(ffmpeg({"-i", movie, "-vf", selectFrames(thirty) + ",palettegen", palette.string()}));
            bench::run(
                ffmpeg({"-i", movie, "-i", palette.string(), "-lavfi", selectFrames(thirty) + "[x];[x][1:v]paletteuse",
                        "-vsync", "0", "-loop", "0", theirGIF.string()}));
        });
    if (!fs::exists(ourGIF)) fail("the GIF was not written");
    const auto sources = sourceFrames(movie, thirty, folder);
    const double ourPSNR = bench::psnrOfGIF(sources, ourGIF.string());
    const double theirPSNR = bench::psnrOfGIF(sources, theirGIF.string());

    bench::printTurns("export-20", jpegExport);
    bench::printTurns("gif-export-30", gifExport);
    std::printf("psnr-delta gif-export %.3f\n", ourPSNR - theirPSNR);
    std::printf("peak-mb gif-export-300 %.0f\n", gifPeakMB - startMB);
    std::fflush(stdout);
    std::fprintf(stderr,
                 "bench_export: export-20 %.2f s vs %.2f s, gif-export-30 %.2f s vs %.2f s, PSNR %.2f vs %.2f dB, "
                 "gif-export-300 peak %.0f MB from %.0f MB\n",
                 jpegExport.ours, jpegExport.theirs, gifExport.ours, gifExport.theirs, ourPSNR, theirPSNR, gifPeakMB,
                 startMB);
    return 0;
}

}  // namespace

int main(int, char** argv) { return bench::runInProgram("bench-export", argv[0], runBenchmarks); }
