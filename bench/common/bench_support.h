// What the benchmark programs share: timing our work and the reference tool's in turns, running child
// programs, and making the 60 s 1080p test movie. A failure ends the benchmark with a line on stderr.
#pragma once

#include "bench/common/cpu_time.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace bench {

inline constexpr const char* ffmpegTool = "/usr/bin/ffmpeg";

// Ends the benchmark: "<program>: <why>" on stderr, exit status 1.
[[noreturn]] void fail(const std::string& why);
// Serves the main loop until `done`; fails the benchmark with `what` once `limitSeconds` have passed.
void serveUntil(const std::function<bool()>& done, double limitSeconds, const std::string& what);

double secondsTaken(const std::function<void()>& work);

// Our work and the tool's over three rounds in which they take turns: the best time of each, and the processor
// time a turn took on average, ours of this process, theirs of the children it ran.
struct Turns {
    double ours = 0;
    double theirs = 0;
    CpuTime oursCpu;
    CpuTime theirsCpu;

    double ratio() const { return ours / theirs; }
};

Turns bestInTurns(const std::function<void()>& ours, const std::function<void()>& theirs);
// The same with `prepare` run, untimed, before each of our turns.
Turns bestInTurns(const std::function<void()>& prepare, const std::function<void()>& ours,
                  const std::function<void()>& theirs);
// Prints "ratio NAME R" and the two sides' "cpu-seconds" lines.
void printTurns(const std::string& name, const Turns& turns);

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
