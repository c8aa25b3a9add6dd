// What the benchmark programs share: timing our work and the reference tool's in turns, running child
// programs, and making the 60 s 1080p test movie. A failure ends the benchmark with a line on stderr.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

namespace bench {

inline constexpr const char* ffmpegTool = "/usr/bin/ffmpeg";

// Ends the benchmark: "<program>: <why>" on stderr, exit status 1.
[[noreturn]] void fail(const std::string& why);
// Serves the main loop until `done`; fails the benchmark with `what` once `limitSeconds` have passed.
void serveUntil(const std::function<bool()>& done, double limitSeconds, const std::string& what);

double secondsTaken(const std::function<void()>& work);

// The best times of ours and theirs over three rounds in which they take turns.
std::pair<double, double> bestInTurns(const std::function<void()>& ours, const std::function<void()>& theirs);
// The same with `prepare` run, untimed, before each of our turns.
std::pair<double, double> bestInTurns(const std::function<void()>& prepare, const std::function<void()>& ours,
                                      const std::function<void()>& theirs);

// Starts a program with its output thrown away.
pid_t launch(const std::vector<std::string>& arguments);
// Waits for a child; ends the benchmark when it failed.
void awaitSuccess(pid_t child, const std::string& what);
// Runs a program to its end; ends the benchmark when it fails.
void run(const std::vector<std::string>& arguments);

// Writes a 1920 x 1080, 30 fps H.264 movie with key frames every 250 frames, in a child process so that
// the encoder's memory does not count as ours.
void makeMovie(const std::string& path, int seconds);

// Such a movie of `seconds`, in the container of `extension` (mkv, mp4 or ts), kept in the build folder's
// bench-movies between runs: made once (long movies take minutes), the others remuxed from the Matroska one by
// the ffmpeg tool, so that all hold the same stream.
std::string cachedMovie(int seconds, const std::string& extension);

// The median of the values.
double median(std::vector<double> values);

}  // namespace bench
