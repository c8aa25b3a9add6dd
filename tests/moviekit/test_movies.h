// Small movies for the movie kit's tests, made on first use into a temporary folder that lives as long as the
// test process; every frame carries its own index in its pixels.
#pragma once

#include "tools/testmovie/test_movie.h"

#include <string>

namespace moviekittest {

// 48 frames of 160 × 120 at 30000/1001 frames per second, H.264 with B-frames, key frames every 12.
std::string smallMovie();
// 8 frames of 1920 × 1080 at 25 frames per second.
std::string hdMovie();
// 27 frames of 320 × 180 at 25 frames per second (1.08 s), every frame a key frame.
std::string stripMovie();
// A small movie of `seconds` frames at one frame per second.
std::string secondsMovie(int seconds);
// Sound only, as long as 48 frames at 30000/1001 would last.
std::string soundOnlyMovie();
// A small movie meant to be turned by `degrees` clockwise for display.
std::string rotatedMovie(int degrees);
// smallMovie() stored turned, with a rotation tag of `degrees` (90, 180 or 270) that turns it back upright, as
// phones write their portrait movies (testsupport::copyStoredTurned).
std::string taggedMovie(int degrees);
// A file of the given bytes, named `name`, in the same folder.
std::string fileWith(const std::string& name, const std::string& bytes);
// A path in the folder where nothing exists.
std::string missingFile();

}  // namespace moviekittest
