#include "bench/common/cpu_time.h"

#include <cstdio>

#include <sys/resource.h>

namespace bench {

namespace {

double secondsOf(const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; }

CpuTime cpuTimeOfWho(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return cpuTimeOf(usage);
}

}  // namespace

CpuTime operator-(const CpuTime& later, const CpuTime& earlier)
{
    return {later.user - earlier.user, later.system - earlier.system};
}

CpuTime operator+(const CpuTime& a, const CpuTime& b) { return {a.user + b.user, a.system + b.system}; }

CpuTime operator/(const CpuTime& time, double count) { return {time.user / count, time.system / count}; }

CpuTime cpuTimeOf(const rusage& usage) { return {secondsOf(usage.ru_utime), secondsOf(usage.ru_stime)}; }

CpuTime ownCpuTime() { return cpuTimeOfWho(RUSAGE_SELF); }

CpuTime childrenCpuTime() { return cpuTimeOfWho(RUSAGE_CHILDREN); }

std::string cpuSecondsLine(const std::string& name, const CpuTime& time)
{
    char line[256];
    std::snprintf(line, sizeof line, "cpu-seconds %s %.3f user %.3f system %.3f", name.c_str(), time.total(), time.user,
                  time.system);
    return line;
}

void printCpuSeconds(const std::string& name, const CpuTime& ours, const CpuTime& theirs)
{
    std::printf("%s\n%s\n", cpuSecondsLine(name + "-ours", ours).c_str(),
                cpuSecondsLine(name + "-ffmpeg", theirs).c_str());
}

}  // namespace bench
