// The test movies of the media tests, made on first use into a temporary folder that lives as long as
// the test process.
#pragma once

#include "tools/testmovie/test_movie.h"

#include <string>
#include <vector>

namespace mediatest {

struct MovieCase {
    std::string name;  // file name, extension included
    testmovie::MovieSpec spec;
};

// Every codec and container, each frame rate kind, a start time, audio.
const std::vector<MovieCase>& movieCases();

// The path of the named movie (one of movieCases() or the extra ones below), made when first asked for.
std::string moviePath(const std::string& name);

// A path in the shared temporary folder for files a test makes itself.
std::string scratchPath(const std::string& name);

}  // namespace mediatest
