// The test movies of the media tests, made on first use into a temporary folder that lives as long as
// the test process.
#pragma once

#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "tests/support/ffmpeg_tool.h"

#include "tools/testmovie/test_movie.h"

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace mediatest {

struct MovieCase {
    std::string name;  // file name, extension included
    testmovie::MovieSpec spec;
};

// Test parameters print as their file names.
inline void PrintTo(const MovieCase& movie, std::ostream* out) { *out << movie.name; }

// Every codec and container, each frame rate kind, a start time, audio.
const std::vector<MovieCase>& movieCases();
// Those, and H.264 with B-frames in AVI, which keeps no display times (frames are stored in decoding order):
// the movies whose every frame is checked at its place in display order.
const std::vector<MovieCase>& frameExactnessCases();

// Movies the ffmpeg command-line tool makes from those, with its muxers and encoders at their defaults, as
// users' files come: H.264 and MPEG-2 in transport streams with and without a start offset (a broadcast
// recording: 720 x 576 at 16:9), Matroska and WebM. spec describes the frames they hold.
const std::vector<MovieCase>& toolMovieCases();

// The path of the named movie (one of the cases above or the extra ones in the source), made when first asked for.
std::string moviePath(const std::string& name);

// Movies the ffmpeg tool makes with B-frames into containers whose packets leave display times out: H.264 in AVI
// (decoding times only), MPEG-2 and H.264 in program streams (a time per block of data: so many H.264 frames to a
// block that only two of its 48 frames have one), and MPEG-2 from the MPEG-2 test movie, 40 frames, packed so
// that a seek to its middle key frame lands in a block whose time belongs to a later frame. The frames are those
// of a test movie at 25 frames per second. Each made when first asked for.
const std::vector<std::string>& bFrameToolMovieNames();
std::string bFrameToolMoviePath(const std::string& name);
// How many frames the movie of that name holds, frame k carrying index k and starting at k / 25 s.
int bFrameToolMovieFrameCount(const std::string& name);

// A generator of the asset's exact frames: both tolerances zero.
media::ImageGeneratorRef exactGenerator(const media::AssetRef& asset);
// The index the exact grab at `time` carries, or -1 when the grab fails.
int exactIndexAt(media::ImageGenerator& generator, const media::Time& time);

// A path in the shared temporary folder for files a test makes itself.
std::string scratchPath(const std::string& name);

using testsupport::runTool;

// A copy of the file's first `length` bytes (a download that stopped), under `name` in the shared temporary folder.
std::string cutCopy(const std::string& path, std::size_t length, const std::string& name);

// A video packet where the file holds it, with its display time in stream ticks.
struct VideoPacket {
    std::int64_t pos;
    int size;
    std::int64_t pts;
    bool key = false;
};
// The video packets of the file in decoding order, as its demuxer reads them.
std::vector<VideoPacket> videoPackets(const std::string& path);

}  // namespace mediatest
