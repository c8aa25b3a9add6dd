// Image encoding against ffmpeg on the same pixels: one 1920x1080 frame as PNG and JPEG, and 30 frames
// grabbed from a movie as an animated GIF (ffmpeg's two-pass palettegen/paletteuse). Prints "KIND NAME VALUE"
// lines, and for each timed encoding the processor time of a run of ours and of the tool's (less its decoding
// to nothing) as "cpu-seconds NAME-ours T user U system S" and "cpu-seconds NAME-ffmpeg ...".
#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/common/bench_quality.h"
#include "bench/common/cpu_time.h"
#include "bench/images/scene.h"
#include "platform/core/data.h"
#include "platform/gfx/image_writer.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"

namespace fs = std::filesystem;

namespace {

constexpr int repetitions = 7;

double secondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median time of the repetitions of `work`; `cpu` (when given) adds the processor time of a repetition, on
// average, of this process or of the children it waited for.
double medianSeconds(const std::function<void()>& work, bench::CpuTime* ownCpu = nullptr,
                     bench::CpuTime* childrenCpu = nullptr)
{
    const bench::CpuTime ownBefore = bench::ownCpuTime(), childrenBefore = bench::childrenCpuTime();
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i)
        times.push_back(secondsOf(work));
    if (ownCpu) *ownCpu = *ownCpu + (bench::ownCpuTime() - ownBefore) / repetitions;
    if (childrenCpu) *childrenCpu = *childrenCpu + (bench::childrenCpuTime() - childrenBefore) / repetitions;
    return median(times);
}

void run(const std::string& command)
{
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
        std::fprintf(stderr, "bench_images: failed: %s\n", command.c_str());
        std::exit(1);
    }
}

// ffmpeg's own time for a job: the command's time less that of the same input decoded to nothing, so
// process start-up and reading the input do not count; `cpu` is given its processor time the same way.
double ffmpegSeconds(const std::string& input, const std::string& job, bench::CpuTime& cpu)
{
    bench::CpuTime baselineCpu, totalCpu;
    const double baseline =
        medianSeconds([&] { run("ffmpeg -y -v error " + input + " -f null -"); }, nullptr, &baselineCpu);
    const double total = medianSeconds([&] { run("ffmpeg -y -v error " + input + " " + job); }, nullptr, &totalCpu);
    cpu = totalCpu - baselineCpu;
    return std::max(total - baseline, 1e-4);
}

void writeRaw(const std::vector<gfx::ImageRef>& frames, const fs::path& path)
{
    std::ofstream out(path, std::ios::binary);
    for (const auto& frame : frames)
        out.write(reinterpret_cast<const char*>(frame->data()),
                  std::streamsize(frame->bytesPerRow()) * frame->height());
}

std::string rawInput(const fs::path& path, int width, int height, int frameRate = 25)
{
    return "-f rawvideo -pix_fmt bgra -s " + std::to_string(width) + "x" + std::to_string(height) + " -framerate " +
           std::to_string(frameRate) + " -i " + path.string();
}

bool writeImage(const gfx::ImageRef& image, const fs::path& path, gfx::ImageFileType type,
                const gfx::FrameProperties& properties = {})
{
    auto writer = gfx::ImageWriter::create(core::Url::fileURL(path.string()), type, 1);
    writer->addImage(image, properties);
    return writer->finalize();
}

void report(const char* kind, const std::string& name, double value)
{
    std::printf("%s %s %.3f\n", kind, name.c_str(), value);
    std::fflush(stdout);
}

void benchStill(const fs::path& dir)
{
    const int width = 1920, height = 1080;
    const auto frame = bench::sceneFrame(0, width, height);
    writeRaw({frame}, dir / "frame.raw");
    const std::string input = rawInput(dir / "frame.raw", width, height);

    bench::CpuTime ourPNGCpu, theirPNGCpu;
    const double ourPNG =
        medianSeconds([&] { writeImage(frame, dir / "ours.png", gfx::ImageFileType::png); }, &ourPNGCpu);
    const double theirPNG = ffmpegSeconds(input, (dir / "ffmpeg.png").string(), theirPNGCpu);
    report("ratio", "png-encode", ourPNG / theirPNG);
    bench::printCpuSeconds("png-encode", ourPNGCpu, theirPNGCpu);
    report("ratio", "png-size", double(fs::file_size(dir / "ours.png")) / double(fs::file_size(dir / "ffmpeg.png")));
    report("seconds", "png-encode-ours", ourPNG);
    report("seconds", "png-encode-ffmpeg", theirPNG);

    // ffmpeg at its usual high quality (-q:v 2, 4:2:0); ours at the lowest quality (in hundredths) whose
    // PSNR reaches ffmpeg's, so that sizes compare at equal fidelity.
    bench::CpuTime ourJPEGCpu, theirJPEGCpu;
    const double theirJPEG =
        ffmpegSeconds(input, "-pix_fmt yuvj420p -q:v 2 " + (dir / "ffmpeg.jpg").string(), theirJPEGCpu);
    const double theirPSNR = bench::psnrOfImage(*frame, (dir / "ffmpeg.jpg").string());
    double quality = 0.5;
    while (quality < 1.0) {
        writeImage(frame, dir / "ours.jpg", gfx::ImageFileType::jpeg, {.jpegQuality = quality});
        if (bench::psnrOfImage(*frame, (dir / "ours.jpg").string()) >= theirPSNR) break;
        quality += 0.01;
    }
    const gfx::FrameProperties matched{.jpegQuality = quality};
    const double ourJPEG =
        medianSeconds([&] { writeImage(frame, dir / "ours.jpg", gfx::ImageFileType::jpeg, matched); }, &ourJPEGCpu);
    report("ratio", "jpeg-encode", ourJPEG / theirJPEG);
    bench::printCpuSeconds("jpeg-encode", ourJPEGCpu, theirJPEGCpu);
    report("ratio", "jpeg-size", double(fs::file_size(dir / "ours.jpg")) / double(fs::file_size(dir / "ffmpeg.jpg")));
    report("psnr-delta", "jpeg-quality", bench::psnrOfImage(*frame, (dir / "ours.jpg").string()) - theirPSNR);
    report("quality", "jpeg-matched", quality);
    report("seconds", "jpeg-encode-ours", ourJPEG);
    report("seconds", "jpeg-encode-ffmpeg", theirJPEG);
    const double bestJPEG =
        medianSeconds([&] { writeImage(frame, dir / "best.jpg", gfx::ImageFileType::jpeg, {.jpegQuality = 1.0}); });
    report("seconds", "jpeg-encode-quality-1", bestJPEG);
}

// The scene as an H.264 movie (as the program meets footage), and `count` frames grabbed from it by the
// platform's frame grabber, as the GIF export takes them.
std::vector<gfx::ImageRef> movieFrames(const fs::path& dir, int width, int height, int count)
{
    std::vector<gfx::ImageRef> scene;
    for (int i = 0; i < count; ++i)
        scene.push_back(bench::sceneFrame(i, width, height));
    writeRaw(scene, dir / "scene.raw");
    run("ffmpeg -y -v error " + rawInput(dir / "scene.raw", width, height) + " -c:v libx264 -crf 18 -pix_fmt yuv420p " +
        (dir / "scene.mp4").string());
    const auto asset = media::Asset::create(core::Url::fileURL((dir / "scene.mp4").string()));
    const auto generator = media::ImageGenerator::create(asset);
    generator->setRequestedTimeToleranceBefore(media::Time::zero());
    generator->setRequestedTimeToleranceAfter(media::Time::zero());
    std::vector<gfx::ImageRef> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(generator->copyImage(media::Time::make(2 * i + 1, 50)));
    return frames;
}

void benchGIF(const fs::path& dir)
{
    const int width = 960, height = 540, count = 30;
    const std::vector<gfx::ImageRef> frames = movieFrames(dir, width, height, count);
    writeRaw(frames, dir / "frames.raw");

    const auto writeOurs = [&] {
        auto writer = gfx::ImageWriter::create(core::Url::fileURL((dir / "ours.gif").string()), gfx::ImageFileType::gif,
                                               frames.size());
        writer->setFileProperties({.gifLoopCount = 0});
        for (const auto& frame : frames)
            writer->addImage(frame, {.gifDelaySeconds = 0.1});
        if (!writer->finalize()) {
            std::fprintf(stderr, "bench_images: our GIF could not be written\n");
            std::exit(1);
        }
    };
    bench::CpuTime ourCpu, theirCpu;
    const double ours = medianSeconds(writeOurs, &ourCpu);
    const double theirs =
        ffmpegSeconds(rawInput(dir / "frames.raw", width, height, 10),
                      "-filter_complex \"[0:v]split[a][b];[a]palettegen[p];[b][p]paletteuse\" -loop 0 " +
                          (dir / "ffmpeg.gif").string(),
                      theirCpu);
    const double ourPSNR = bench::psnrOfGIF(frames, (dir / "ours.gif").string()),
                 theirPSNR = bench::psnrOfGIF(frames, (dir / "ffmpeg.gif").string());
    report("ratio", "gif-time", ours / theirs);
    bench::printCpuSeconds("gif-time", ourCpu, theirCpu);
    report("psnr-delta", "gif-quality", ourPSNR - theirPSNR);
    report("psnr", "gif-ours", ourPSNR);
    report("psnr", "gif-ffmpeg", theirPSNR);
    report("seconds", "gif-ours", ours);
    report("seconds", "gif-ffmpeg", theirs);
    report("ratio", "gif-size", double(fs::file_size(dir / "ours.gif")) / double(fs::file_size(dir / "ffmpeg.gif")));
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    char pattern[] = "/tmp/bench-images-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const fs::path dir = pattern;
    benchStill(dir);
    benchGIF(dir);
    fs::remove_all(dir);
    return 0;
}
