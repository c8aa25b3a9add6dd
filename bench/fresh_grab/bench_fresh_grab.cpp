// bench_fresh_grab: a new asset and one accurate grab at 90 % of a 10-minute 1920 × 1080 30 fps H.264 movie
// with key frames every 250 frames, against `ffmpeg -ss T -i movie -frames:v 1 -f null -` on the same movie, in
// the same run, for the movie in Matroska and in an MPEG transport stream (the same stream):
//   ratio grab-fresh-mkv R
//   ratio grab-fresh-ts R
// The movies are made once and kept in the build folder (bench-movies). The two sides take turns, three times
// each, and each keeps its best time.
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "bench/common/bench_support.h"
#include "tools/testmovie/test_movie.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int movieSeconds = 600;
constexpr double fps = 30;

// A new asset, one accurate grab; the frame's own index must be the one asked for.
void grabFresh(const std::string& path, double seconds)
{
    auto asset = media::Asset::create(core::Url::fileURL(path));
    auto generator = media::ImageGenerator::create(asset);
    generator->setRequestedTimeToleranceBefore(media::Time::zero());
    generator->setRequestedTimeToleranceAfter(media::Time::zero());
    gfx::ImageRef image = generator->copyImage(media::Time::withSeconds(seconds, 1000000));
    const int expected = int(seconds * fps) % 65536;
    if (!image || image->width() != 1920 || testmovie::readFrameIndex(*image) != expected) {
        std::fprintf(stderr, "bench_fresh_grab: not frame %d at %g s in %s\n", expected, seconds, path.c_str());
        std::exit(1);
    }
}

void compare(const std::string& extension)
{
    const std::string movie = bench::cachedMovie(movieSeconds, extension);
    const double at = 0.9 * movieSeconds;
    auto [ours, theirs] = bench::bestInTurns([&] { grabFresh(movie, at); }, [&] {
        bench::run({bench::ffmpegTool, "-nostdin", "-v", "error", "-ss", std::to_string(at), "-i", movie,
                    "-frames:v", "1", "-f", "null", "-"});
    });
    std::printf("ratio grab-fresh-%s %.3f\n", extension.c_str(), ours / theirs);
    std::fflush(stdout);
    std::fprintf(stderr, "bench_fresh_grab: %s %.3f s vs %.3f s\n", extension.c_str(), ours, theirs);
}

}  // namespace

int main()
{
    compare("mkv");
    compare("ts");
    return 0;
}
