// Processor time, user and system, from getrusage: of this process (every thread) for our side of a benchmark,
// of its ended and waited-for children for the reference tool's. A benchmark prints both beside its ratio, so
// that a reader sees whether a gap is work or waiting. Any thread.
#pragma once

#include <string>

struct rusage;

namespace bench {

struct CpuTime {
    double user = 0;
    double system = 0;

    double total() const { return user + system; }
};

CpuTime operator-(const CpuTime& later, const CpuTime& earlier);
CpuTime operator+(const CpuTime& a, const CpuTime& b);
CpuTime operator/(const CpuTime& time, double count);

CpuTime cpuTimeOf(const rusage& usage);
// So far, of every thread of this process.
CpuTime ownCpuTime();
// So far, of the children that have ended and been waited for (and theirs).
CpuTime childrenCpuTime();

// "cpu-seconds NAME T user U system S", T = U + S in seconds: the "KIND NAME VALUE" of every figure, the parts
// after it for a reader.
std::string cpuSecondsLine(const std::string& name, const CpuTime& time);
// Prints the lines of our side and the tool's: "cpu-seconds NAME-ours ..." and "cpu-seconds NAME-ffmpeg ...".
void printCpuSeconds(const std::string& name, const CpuTime& ours, const CpuTime& theirs);

}  // namespace bench
