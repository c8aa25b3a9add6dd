// bench_fresh_grab: a new asset and one accurate grab at 90 % (T) of a 10-minute 1920 × 1080 30 fps H.264 movie
// with key frames every 250 frames, against the ffmpeg command-line tool on the same movie, in the same run:
//   ratio grab-fresh-mkv R        in Matroska, against `ffmpeg -ss T -i movie.mkv -frames:v 1 -f null -`
//   ratio grab-fresh-ts-exact R   in an MPEG transport stream (the same stream), against
//                                 `ffmpeg -ss T-10 -i movie.ts -ss 10 -frames:v 1 -f null -`, which gives the
//                                 frame at T (without an index, `-ss T` alone lands on a later one): its frame
//                                 index is checked as ours is, on a run of the same command that keeps the frame
// The movies are made once and kept in the build folder (bench-movies). The two sides take turns, three times
// each, and each keeps its best time.
#include "bench/common/bench_support.h"
#include "platform/gfx/image_reader.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "tools/testmovie/test_movie.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr int movieSeconds = 600;
constexpr double fps = 30;

// The index of the frame at `seconds`.
int frameIndexAt(double seconds) { return int(seconds * fps) % 65536; }

// A new asset, one accurate grab; the frame's own index must be the one asked for.
void grabFresh(const std::string& path, double seconds)
{
    auto asset = media::Asset::create(core::Url::fileURL(path));
    auto generator = media::ImageGenerator::create(asset);
    generator->setRequestedTimeToleranceBefore(media::Time::zero());
    generator->setRequestedTimeToleranceAfter(media::Time::zero());
    gfx::ImageRef image = generator->copyImage(media::Time::withSeconds(seconds, 1000000));
    const int expected = frameIndexAt(seconds);
    if (!image || image->width() != 1920 || testmovie::readFrameIndex(*image) != expected) {
        std::fprintf(stderr, "bench_fresh_grab: not frame %d at %g s in %s\n", expected, seconds, path.c_str());
        std::exit(1);
    }
}

// The ffmpeg command's frame, kept as a PNG file, must be the one at `seconds` too.
void checkTool(std::vector<std::string> command, double seconds)
{
    const std::filesystem::path frame =
        std::filesystem::temp_directory_path() / ("bench-fresh-grab-" + std::to_string(getpid()) + ".png");
    command.erase(command.end() - 3, command.end());  // -f null -
    command.insert(command.end(), {"-y", frame.string()});
    bench::run(command);
    gfx::ImageRef image = gfx::ImageReader::read(core::Url::fileURL(frame.string()));
    std::filesystem::remove(frame);
    const int expected = frameIndexAt(seconds);
    const int index = image ? testmovie::readFrameIndex(*image) : -1;
    if (index != expected)
        bench::fail("the ffmpeg command gives frame " + std::to_string(index) + " for frame " +
                    std::to_string(expected));
}

void compare(const std::string& name, const std::string& movie, const std::vector<std::string>& tool, double at)
{
    checkTool(tool, at);
    const bench::Turns turns = bench::bestInTurns([&] { grabFresh(movie, at); }, [&] { bench::run(tool); });
    bench::printTurns(name, turns);
    std::fflush(stdout);
    std::fprintf(stderr, "bench_fresh_grab: %s %.3f s vs %.3f s\n", name.c_str(), turns.ours, turns.theirs);
}

}  // namespace

int main()
{
    const double at = 0.9 * movieSeconds;
    const std::string mkv = bench::cachedMovie(movieSeconds, "mkv");
    compare("grab-fresh-mkv", mkv,
            {bench::ffmpegTool, "-nostdin", "-v", "error", "-ss", std::to_string(at), "-i", mkv, "-frames:v", "1", "-f",
             "null", "-"},
            at);
    const std::string ts = bench::cachedMovie(movieSeconds, "ts");
    compare("grab-fresh-ts-exact", ts,
            {bench::ffmpegTool, "-nostdin", "-v", "error", "-ss", std::to_string(at - 10), "-i", ts, "-ss", "10",
             "-frames:v", "1", "-f", "null", "-"},
            at);
    return 0;
}
