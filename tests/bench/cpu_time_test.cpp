#include "bench/common/cpu_time.h"

#include <gtest/gtest.h>

#include <sstream>

#include <sys/resource.h>

namespace {

rusage usageOf(long userSeconds, long userMicroseconds, long systemSeconds, long systemMicroseconds)
{
    rusage usage{};
    usage.ru_utime = {userSeconds, userMicroseconds};
    usage.ru_stime = {systemSeconds, systemMicroseconds};
    return usage;
}

TEST(CpuTime, DeltasOfTwoReadingsCountUserAndSystemApart)
{
    const bench::CpuTime before = bench::cpuTimeOf(usageOf(3, 250000, 1, 999999));
    const bench::CpuTime after = bench::cpuTimeOf(usageOf(5, 0, 2, 500001));
    const bench::CpuTime taken = after - before;
    EXPECT_DOUBLE_EQ(taken.user, 1.75);
    EXPECT_NEAR(taken.system, 0.500002, 1e-9);
    EXPECT_NEAR(taken.total(), 2.250002, 1e-9);
    const bench::CpuTime mean = (taken + taken + taken) / 3;
    EXPECT_DOUBLE_EQ(mean.user, 1.75);
    EXPECT_NEAR(mean.system, 0.500002, 1e-9);
}

TEST(CpuTime, LineIsKindNameValueWithUserAndSystemAfter)
{
    const std::string line = bench::cpuSecondsLine("batch-4x60-ours", {12.5, 3.25});
    EXPECT_EQ(line, "cpu-seconds batch-4x60-ours 15.750 user 12.500 system 3.250");
    std::istringstream fields(line);
    std::string kind, name, userWord, systemWord;
    double value = 0, user = 0, system = 0;
    fields >> kind >> name >> value >> userWord >> user >> systemWord >> system;
    EXPECT_EQ(kind, "cpu-seconds");
    EXPECT_EQ(name, "batch-4x60-ours");
    EXPECT_DOUBLE_EQ(value, user + system);
}

}  // namespace
