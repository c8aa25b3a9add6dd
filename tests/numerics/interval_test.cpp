#include "numerics/interval.h"

#include <cmath>
#include <gtest/gtest.h>

#include "numerics/integrator.h"

namespace kestrane {
namespace {

TEST(Interval, ConstructionAndValidity)
{
    EXPECT_EQ(Interval::fromValues(3, 1), Interval(1, 3));
    Interval inverted(3, 1);
    EXPECT_FALSE(inverted.isValid());
    EXPECT_EQ(inverted.length(), -2);
    EXPECT_EQ(Interval(2, 6).middle(), 4);
    EXPECT_FALSE(Interval(0, INFINITY).isClosed());
    EXPECT_FALSE(Interval(NAN, 1).isClosed());
    EXPECT_TRUE(Interval::unit().isClosed());
    EXPECT_NE(Interval(NAN, 1), Interval(NAN, 1));
    EXPECT_EQ(Interval(0, 1).withMin(0.5), Interval(0.5, 1));
    EXPECT_EQ(Interval(0, 1).withMax(0.5), Interval(0, 0.5));
    EXPECT_TRUE(Interval(0, 1).contains(1));
    EXPECT_FALSE(Interval(0, 1).contains(1.5));
}

TEST(Interval, RestrictValueTestsTheUpperBoundFirst)
{
    Interval unit = Interval::unit();
    EXPECT_EQ(unit.restrictValue(-0.5), 0);
    EXPECT_EQ(unit.restrictValue(1.5), 1);
    EXPECT_EQ(unit.restrictValue(0.25), 0.25);
    EXPECT_EQ(Interval(1, 0).restrictValue(0.5), 0);
}

TEST(Interval, ExpandIntersectAndUnite)
{
    Interval i(0, 1);
    i.expandToValueInPlace(-2);
    EXPECT_EQ(i, Interval(-2, 1));
    EXPECT_EQ(Interval(0, 1).expandingToValue(3), Interval(0, 3));

    EXPECT_EQ(Interval(0, 1).intersection(Interval(1, 2)), Interval(1, 1));
    EXPECT_FALSE(Interval(0, 1).intersection(Interval(1.5, 2)).has_value());
    EXPECT_TRUE(Interval(0, 1).intersects(Interval(1, 2)));
    EXPECT_FALSE(Interval::intersection(Interval(0, 1), Interval(1.5, 2)).has_value());
    EXPECT_EQ(Interval::unionOf(Interval(0, 1), Interval(3, 4)), Interval(0, 4));
    Interval u(0, 1);
    u.formUnion(Interval(-1, 0.5));
    EXPECT_EQ(u, Interval(-1, 1));
}

TEST(Interval, BisectAndScale)
{
    auto [left, right] = Interval(0, 1).bissectAtValue(0.5);
    EXPECT_EQ(left, Interval(0, 0.5));
    EXPECT_EQ(right, Interval(0.5, 1));
    auto [none, whole] = Interval(0, 1).bissectAtValue(-1);
    EXPECT_FALSE(none.has_value());
    EXPECT_EQ(whole, Interval(0, 1));
    auto [all, nothing] = Interval(0, 1).bissectAtValue(2);
    EXPECT_EQ(all, Interval(0, 1));
    EXPECT_FALSE(nothing.has_value());
    auto [empty, rest] = Interval(0, 1).bissectAtValue(0);
    EXPECT_EQ(empty->length(), 0);
    EXPECT_EQ(rest, Interval(0, 1));
    EXPECT_EQ(Interval(2, 4).bissect(), std::make_pair(Interval(2, 3), Interval(3, 4)));
    EXPECT_EQ(Interval(2, 4).scaleNormalizedValue(0), 2);
    EXPECT_EQ(Interval(2, 4).scaleNormalizedValue(1), 4);
    EXPECT_EQ(Interval(2, 4).scaleNormalizedValue(1.5), 5);
    for (int k = 0; k < 200; ++k) {
        double v = Interval(2, 4).randomValue();
        EXPECT_GE(v, 2);
        EXPECT_LT(v, 4);
    }
}

TEST(Interval, Comparisons)
{
    EXPECT_TRUE(Interval(0.123, 0.1299).hasConverged(2));
    EXPECT_FALSE(Interval(0.119, 0.121).hasConverged(2));
    EXPECT_TRUE(Interval(0.5, 0.5000001).oneEndPointIsSimilarTo(0.5));
    EXPECT_FALSE(Interval(0.5, 0.6).oneEndPointIsSimilarTo(0.5));
    EXPECT_TRUE(Interval(0, 1).overlap(Interval(0.000005, 0.999996)));
    EXPECT_FALSE(Interval(0, 1).overlap(Interval(0, 1.00001)));
    EXPECT_TRUE(Interval(0, 1).isSimilarTo(Interval(0.0000004, 1)));
    EXPECT_FALSE(Interval(0, 1).isSimilarTo(Interval(0, 1.0000005)));
}

TEST(Interval, DescriptionIsTheShortestExactText)
{
    EXPECT_EQ(Interval::unit().description(), "[0.0, 1.0]");
    EXPECT_EQ(Interval(0, 1.5).description(), "[0.0, 1.5]");
    EXPECT_EQ(Interval(-0.1, 1e-05).description(), "[-0.1, 1e-05]");
    EXPECT_EQ(Interval(-INFINITY, NAN).description(), "[-inf, nan]");
}

TEST(Integrator, SimpsonAndTrapezoidOfASquare)
{
    Integrator integrator;
    auto square = [](double x) { return x * x; };
    EXPECT_DOUBLE_EQ(integrator.simpson(square), 1.0 / 3);
    EXPECT_DOUBLE_EQ(integrator.quadrature(square), 1.0 / 3);
    EXPECT_DOUBLE_EQ(integrator.trapezoid(square), 1.0 / 3 + 1.0 / (6 * 32 * 32));
    EXPECT_EQ(integrator.trapezoid(square), 0.33349609375);
    Integrator none;
    none.steps = 0;
    int calls = 0;
    EXPECT_EQ(none.trapezoid([&](double) { return double(++calls); }), 0);
    EXPECT_EQ(calls, 0);
    EXPECT_DOUBLE_EQ(Integrator(0, 2).simpson([](double x) { return x * x * x; }), 4);
}

}  // namespace
}  // namespace kestrane
