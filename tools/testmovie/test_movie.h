// Small movies made for tests and benchmarks: every frame shows its own index as a 4 × 4 grid of black and
// white blocks (bit 0 top-left, row by row), big enough to survive lossy coding, above a strip of one known
// colour. The movies come in several codecs and containers, at constant or variable frame rates, with or
// without B-frames, a start time, rotation metadata, an anamorphic pixel shape and an audio track.
#pragma once

#include "platform/gfx/image.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace testmovie {

enum class Codec {
    h264,    // libx264, 4:2:0
    mpeg4,   // MPEG-4 part 2, 4:2:0
    mjpeg,   // Motion JPEG, full-range 4:2:0
    vp9,     // libvpx-vp9, 4:2:0
    prores,  // prores_ks, 10-bit 4:2:2
    mpeg2,   // MPEG-2 video, 4:2:0, closed groups of pictures
};

enum class Matrix {
    bt601,
    bt709,
};

struct MovieSpec {
    Codec codec = Codec::h264;
    int width = 160;
    int height = 120;
    // Frames per second as a fraction; each frame lasts rateDen ticks of 1/rateNum s (or a multiple of
    // that with a variable rate).
    int rateNum = 30000;
    int rateDen = 1001;
    int frameCount = 48;
    int keyInterval = 12;
    bool bFrames = true;
    // Frame k lasts (1 + k mod 3) nominal frame durations.
    bool variableFrameRate = false;
    // The container time of the first frame, in ticks of 1/rateNum s.
    std::int64_t startTicks = 0;
    // Clockwise degrees the picture is meant to be turned for display (mp4 and mov only).
    int rotation = 0;
    // Pixel shape (width : height); 1:1 is square.
    int sampleAspectNum = 1;
    int sampleAspectDen = 1;
    Matrix matrix = Matrix::bt601;
    bool audio = false;
    // False makes a sound-only movie (audio must be on), as long as the frames would have lasted.
    bool video = true;
    // A moving, detailed background (for benchmarks: decoding cost like real footage).
    bool texture = false;
};

// The colour of the strip under the index grid, in RGB.
constexpr std::uint8_t stripRed = 220, stripGreen = 40, stripBlue = 40;

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Writes the movie; the container comes from the path's extension (mp4, mkv, avi, mov, webm, ts, m2ts).
// Throws Failure.
void writeMovie(const std::string& path, const MovieSpec& spec);

// A frame's start on the movie's timeline, value / timescale seconds after the first frame's start.
struct FrameStart {
    std::int64_t value;
    std::int32_t timescale;
};

// How long frame k lasts, in ticks of 1/rateNum s.
std::int64_t frameTicks(const MovieSpec& spec, int k);
// The start of every frame as the movie is written, in display order: frame k starts after the first by the
// durations of the frames before it, whatever the container keeps of that. Frame k carries index k.
std::vector<FrameStart> writtenFrameStarts(const MovieSpec& spec);

// The start of every frame as the container stores it, in display order, read from the packets alone (decoded
// where packets leave their display time out); frame k of the list is the frame that carries index k. Throws
// Failure.
std::vector<FrameStart> readFrameStarts(const std::string& path);

// The index a frame image carries (read at the block centres, whatever the image's size); -1 when the
// picture holds no readable index.
int readFrameIndex(const gfx::Image& image);

// The colour of the strip under the grid, read at its centre.
gfx::Pixel readStripColour(const gfx::Image& image);

}  // namespace testmovie
