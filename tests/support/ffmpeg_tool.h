// Movies made from test movies by the ffmpeg command-line tool, as users' files come.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// Runs the command (its program by full path), whose last argument is the file it makes. Throws
// std::runtime_error when it fails.
void runTool(const std::vector<std::string>& command);

// Runs the ffmpeg tool on `input` with the arguments (between the input and the output) into `output`.
// Throws std::runtime_error when it fails.
void runFfmpeg(const std::string& input, const std::vector<std::string>& arguments, const std::string& output);

// A movie at `destination` made as a phone makes its portrait movies: its frames are stored turned, and its
// video track asks, through a rotation tag of `degrees` (set by a stream copy: a display matrix in the file),
// to be turned back for display. Shown as the ffmpeg tool itself shows it, it is `source` upright. The
// destination's path.
std::string copyStoredTurned(const std::string& source, int degrees, const std::string& destination);

}  // namespace testsupport
