// The test movies of the media tests, made on first use into a temporary folder that lives as long as
// the test process.
#pragma once

#include "tools/testmovie/test_movie.h"

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

// Movies the ffmpeg command-line tool makes from those, with its muxers and encoders at their defaults, as
// users' files come: H.264 and MPEG-2 in transport streams with and without a start offset (a broadcast
// recording: 720 x 576 at 16:9), Matroska and WebM. spec describes the frames they hold.
const std::vector<MovieCase>& toolMovieCases();

// The path of the named movie (one of the cases above or the extra ones in the source), made when first asked for.
std::string moviePath(const std::string& name);

// A path in the shared temporary folder for files a test makes itself.
std::string scratchPath(const std::string& name);

}  // namespace mediatest
