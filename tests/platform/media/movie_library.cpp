#include "tests/platform/media/movie_library.h"

#include "platform/core/error.h"
#include "platform/media/detail/ffmpeg.h"
#include "tests/support/ffmpeg_tool.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

namespace mediatest {

namespace {

testmovie::MovieSpec spec(testmovie::Codec codec, int rateNum, int rateDen)
{
    testmovie::MovieSpec s;
    s.codec = codec;
    s.rateNum = rateNum;
    s.rateDen = rateDen;
    return s;
}

std::vector<MovieCase> makeCases()
{
    using testmovie::Codec;
    std::vector<MovieCase> cases = {
        {"h264.mp4", spec(Codec::h264, 30000, 1001)},   {"h264.mkv", spec(Codec::h264, 30000, 1001)},
        {"h264-25.mp4", spec(Codec::h264, 25, 1)},      {"mpeg4.avi", spec(Codec::mpeg4, 25, 1)},
        {"mjpeg.mov", spec(Codec::mjpeg, 30000, 1001)}, {"vp9.webm", spec(Codec::vp9, 30000, 1001)},
        {"prores.mov", spec(Codec::prores, 25, 1)},
    };
    MovieCase vfr{"vfr.mp4", spec(Codec::h264, 30000, 1001)};
    vfr.spec.variableFrameRate = true;
    cases.push_back(vfr);
    vfr.name = "vfr.mkv";
    cases.push_back(vfr);
    MovieCase late{"start.mp4", spec(Codec::h264, 30000, 1001)};
    late.spec.startTicks = 45045;  // 1.5015 s
    cases.push_back(late);
    MovieCase sound{"audio.mkv", spec(Codec::h264, 25, 1)};
    sound.spec.audio = true;
    cases.push_back(sound);
    sound.name = "audio.mp4";
    cases.push_back(sound);
    // Transport and program streams carry no index: seeks search the file by decoding times.
    cases.push_back({"h264.ts", spec(Codec::h264, 30000, 1001)});
    late.name = "h264-start.ts";
    cases.push_back(late);
    cases.push_back({"h264.m2ts", spec(Codec::h264, 25, 1)});
    // A broadcast recording: open groups of pictures whose first frames in display order come after the key
    // frame in the stream, non-square pixels, and a start offset.
    MovieCase broadcast{"mpeg2-start.ts", spec(Codec::mpeg2, 25, 1)};
    broadcast.spec.width = 720;
    broadcast.spec.height = 576;
    broadcast.spec.sampleAspectNum = 64;
    broadcast.spec.sampleAspectDen = 45;
    broadcast.spec.startTicks = 25 * 3600;
    cases.push_back(broadcast);
    cases.push_back({"mpeg2.ts", spec(Codec::mpeg2, 25, 1)});
    cases.push_back({"mpeg2.mpg", spec(Codec::mpeg2, 25, 1)});
    return cases;
}

std::map<std::string, testmovie::MovieSpec> extraSpecs()
{
    std::map<std::string, testmovie::MovieSpec> extras;
    testmovie::MovieSpec rotated;
    rotated.rotation = 90;
    extras["rotated.mp4"] = rotated;
    testmovie::MovieSpec anamorphic;
    anamorphic.sampleAspectNum = 4;
    anamorphic.sampleAspectDen = 3;
    extras["anamorphic.mp4"] = anamorphic;
    testmovie::MovieSpec hd;
    hd.matrix = testmovie::Matrix::bt709;
    extras["bt709.mp4"] = hd;
    testmovie::MovieSpec sound;
    sound.audio = true;
    sound.video = false;
    extras["sound-only.mp4"] = sound;
    return extras;
}

struct ToolMovie {
    std::string source;                  // one of movieCases()
    std::vector<std::string> arguments;  // between the input and the output
};

const std::map<std::string, ToolMovie>& toolMovies()
{
    static const std::map<std::string, ToolMovie> movies = {
        {"tool-h264.ts", {"h264.mp4", {"-c", "copy"}}},
        {"tool-h264-offset.ts", {"h264.mp4", {"-c", "copy", "-output_ts_offset", "3600"}}},
        {"tool-mpeg2.ts", {"h264-25.mp4", {"-c:v", "mpeg2video", "-q:v", "3", "-s", "720x576", "-aspect", "16:9"}}},
        {"tool-mpeg2-offset.ts",
         {"h264-25.mp4",
          {"-c:v", "mpeg2video", "-q:v", "3", "-bf", "2", "-s", "720x576", "-aspect", "16:9", "-output_ts_offset",
           "36000"}}},
        {"tool-h264.mkv", {"h264.mp4", {"-c", "copy"}}},
        {"tool-h264-faststart.mp4", {"h264.mp4", {"-c", "copy", "-movflags", "+faststart"}}},
        // The container says square pixels, the bitstream 12:11.
        {"tool-sar-bitstream.mp4", {"h264.mp4", {"-c", "copy", "-bsf:v", "h264_metadata=sample_aspect_ratio=12/11"}}},
        {"tool-vp8.webm", {"h264.mp4", {"-c:v", "libvpx", "-b:v", "400k", "-g", "12"}}},
    };
    return movies;
}

// The frames of the packed MPEG-2 movie.
constexpr int packedFrames = 40;

testsupport::TempDir& folder()
{
    static testsupport::TempDir dir("media");
    return dir;
}

}  // namespace

const std::vector<MovieCase>& movieCases()
{
    static const std::vector<MovieCase> cases = makeCases();
    return cases;
}

const std::vector<MovieCase>& frameExactnessCases()
{
    static const std::vector<MovieCase> cases = [] {
        std::vector<MovieCase> made = movieCases();
        made.push_back({"h264.avi", spec(testmovie::Codec::h264, 25, 1)});
        return made;
    }();
    return cases;
}

const std::vector<MovieCase>& toolMovieCases()
{
    static const std::vector<MovieCase> cases = [] {
        std::vector<MovieCase> made;
        for (const auto& [name, movie] : toolMovies())
            for (const MovieCase& source : movieCases())
                if (source.name == movie.source) made.push_back({name, source.spec});
        return made;
    }();
    return cases;
}

std::string moviePath(const std::string& name)
{
    static std::recursive_mutex mutex;
    std::lock_guard lock(mutex);
    std::string path = (folder() / name).string();
    if (std::filesystem::exists(path)) return path;
    if (auto tool = toolMovies().find(name); tool != toolMovies().end()) {
        std::vector<std::string> arguments = {"-fps_mode", "passthrough"};
        arguments.insert(arguments.end(), tool->second.arguments.begin(), tool->second.arguments.end());
        testsupport::runFfmpeg(moviePath(tool->second.source), arguments, path);
        return path;
    }
    for (const MovieCase& c : frameExactnessCases())
        if (c.name == name) testmovie::writeMovie(path, c.spec);
    auto extras = extraSpecs();
    if (extras.count(name)) testmovie::writeMovie(path, extras.at(name));
    return path;
}

std::string scratchPath(const std::string& name) { return (folder() / name).string(); }

const std::vector<std::string>& bFrameToolMovieNames()
{
    static const std::vector<std::string> names = {"tool-bframes-h264.avi", "tool-bframes-mpeg2.mpg",
                                                   "tool-bframes-h264.mpg", "tool-bframes-mpeg2-packed.mpg"};
    return names;
}

namespace {

const std::map<std::string, ToolMovie>& bFrameToolMovies()
{
    static const std::map<std::string, ToolMovie> movies = {
        {"tool-bframes-h264.avi", {"h264-25.mp4", {"-c:v", "libx264", "-bf", "2", "-g", "12", "-pix_fmt", "yuv420p"}}},
        {"tool-bframes-mpeg2.mpg", {"h264-25.mp4", {"-c:v", "mpeg2video", "-bf", "2", "-g", "12", "-f", "mpeg"}}},
        {"tool-bframes-h264.mpg",
         {"h264-25.mp4", {"-c:v", "libx264", "-bf", "2", "-g", "12", "-pix_fmt", "yuv420p", "-f", "mpeg"}}},
        {"tool-bframes-mpeg2-packed.mpg",
         {"mpeg2.ts",
          {"-frames:v", std::to_string(packedFrames), "-c:v", "mpeg2video", "-bf", "2", "-g", "12", "-f", "mpeg"}}},
    };
    return movies;
}

}  // namespace

int bFrameToolMovieFrameCount(const std::string& name)
{
    if (name == "tool-bframes-mpeg2-packed.mpg") return packedFrames;
    const std::string& source = bFrameToolMovies().at(name).source;
    for (const MovieCase& c : movieCases())
        if (c.name == source) return c.spec.frameCount;
    return 0;
}

std::string bFrameToolMoviePath(const std::string& name)
{
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    const std::string path = scratchPath(name);
    const ToolMovie& movie = bFrameToolMovies().at(name);
    if (!std::filesystem::exists(path)) testsupport::runFfmpeg(moviePath(movie.source), movie.arguments, path);
    return path;
}

std::string cutCopy(const std::string& path, std::size_t length, const std::string& name)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (length >= bytes.size()) throw std::runtime_error("a cut copy must be shorter than " + path);
    std::string cut = scratchPath(name);
    std::ofstream(cut, std::ios::binary).write(bytes.data(), std::streamsize(length));
    return cut;
}

std::vector<VideoPacket> videoPackets(const std::string& path)
{
    auto format = media::detail::openInput(path);
    std::vector<VideoPacket> packets;
    media::detail::PacketPtr packet(av_packet_alloc());
    while (format && av_read_frame(format.get(), packet.get()) >= 0) {
        if (format->streams[packet->stream_index]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            packets.push_back({packet->pos, packet->size, packet->pts, (packet->flags & AV_PKT_FLAG_KEY) != 0});
        av_packet_unref(packet.get());
    }
    return packets;
}

media::ImageGeneratorRef exactGenerator(const media::AssetRef& asset)
{
    auto generator = media::ImageGenerator::create(asset);
    generator->setRequestedTimeToleranceBefore(media::Time::zero());
    generator->setRequestedTimeToleranceAfter(media::Time::zero());
    return generator;
}

int exactIndexAt(media::ImageGenerator& generator, const media::Time& time)
{
    try {
        const gfx::ImageRef image = generator.copyImage(time);
        return image ? testmovie::readFrameIndex(*image) : -1;
    } catch (const core::Error&) {
        return -1;
    }
}

}  // namespace mediatest
