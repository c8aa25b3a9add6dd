#include "numerics/number_text.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(NumberText, ShortestExactDigits)
{
    EXPECT_EQ(describe(1.0), "1.0");
    EXPECT_EQ(describe(-0.0), "-0.0");
    EXPECT_EQ(describe(0.0), "0.0");
    EXPECT_EQ(describe(1.5), "1.5");
    EXPECT_EQ(describe(0.1), "0.1");
    EXPECT_EQ(describe(1.0 / 3), "0.3333333333333333");
    EXPECT_EQ(describe(0.0001), "0.0001");
    EXPECT_EQ(describe(0.00001), "1e-05");
    EXPECT_EQ(describe(1.5e-7), "1.5e-07");
    EXPECT_EQ(describe(1234567.0), "1234567.0");
    EXPECT_EQ(describe(9007199254740992.0), "9007199254740992.0");
    EXPECT_EQ(describe(9007199254740994.0), "9.007199254740994e+15");
    EXPECT_EQ(describe(1e16), "1e+16");
    EXPECT_EQ(describe(INFINITY), "inf");
    EXPECT_EQ(describe(-INFINITY), "-inf");
    EXPECT_EQ(describe(NAN), "nan");
}

}  // namespace
}  // namespace kestrane
