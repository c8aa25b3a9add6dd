#include "numerics/solver.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(Solver, StartsWithItsDefaults)
{
    Solver solver;
    EXPECT_TRUE(solver.success());
    EXPECT_EQ(solver.curIter(), 0);
    EXPECT_EQ(solver.maxIter(), 100);
    EXPECT_EQ(solver.places(), 6);
}

TEST(Solver, RealMullerConverges)
{
    Solver solver;
    double root = solver.muller(0, 1, 2, [](double x) { return x * x - 2; });
    EXPECT_EQ(root, 1.4142135623730951);
    EXPECT_TRUE(solver.success());
    EXPECT_EQ(solver.curIter(), 1);
}

TEST(Solver, CoincidingPointsFailWithNaN)
{
    Solver solver;
    double root = solver.muller(0, 0, 1, [](double x) { return x * x - 2; });
    EXPECT_TRUE(std::isnan(root));
    EXPECT_FALSE(solver.success());
    EXPECT_EQ(solver.curIter(), 100);
}

TEST(Solver, ComplexMullerFindsAnImaginaryRootFromRealStarts)
{
    Solver solver;
    Complex root = solver.muller(Complex(1, 0), Complex(0, 0), Complex(-1, 0), [](Complex z) { return z * z + 1.0; });
    EXPECT_TRUE(solver.success());
    EXPECT_TRUE(root.isSimilarTo(Complex(0, -1)));
}

TEST(Solver, NoIterationsReturnsTheNewestStart)
{
    Solver solver(0, 6);
    int calls = 0;
    double root = solver.muller(0, 1, 2, [&](double x) {
        ++calls;
        return x;
    });
    EXPECT_EQ(root, 2);
    EXPECT_FALSE(solver.success());
    EXPECT_EQ(solver.curIter(), 0);
    EXPECT_EQ(calls, 3);
}

TEST(Solver, AStartAtARootStillTakesAStep)
{
    Solver solver;
    int calls = 0;
    double root = solver.muller(3, 1, 2, [&](double x) {
        ++calls;
        return x - 2;
    });
    EXPECT_EQ(root, 2);
    EXPECT_TRUE(solver.success());
    EXPECT_EQ(calls, 4);
}

}  // namespace
}  // namespace kestrane
