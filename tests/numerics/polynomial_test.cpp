#include "numerics/polynomial.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace kestrane {
namespace {

Polynomial real(std::vector<double> coeffs) { return Polynomial(Complex::realsToComplex(coeffs)); }

TEST(Polynomial, ConstructionTrimsTrailingZeros)
{
    EXPECT_EQ(real({1, 2, 0, 0}).degree(), 1);
    Polynomial empty = real({0, 0});
    EXPECT_TRUE(empty.orderedCoeffs().empty());
    EXPECT_EQ(empty.degree(), 0);
    EXPECT_EQ(empty, Polynomial::zero());
    EXPECT_TRUE(empty.isNormalized());
    EXPECT_EQ(real({1, 2})[5], Complex(0, 0));
    EXPECT_EQ(real({1, 2})[1], Complex(2, 0));
}

TEST(Polynomial, SetCoeff)
{
    Polynomial p = real({1, 0, 1});
    p.setCoeff(Complex(0, 0), 2);
    EXPECT_EQ(p, real({1}));
    EXPECT_EQ(p.degree(), 0);
    Polynomial q = real({1, 1});
    q.setCoeff(Complex(3, 0), 4);
    EXPECT_EQ(q.orderedCoeffs(), Complex::realsToComplex({1, 1, 0, 0, 3}));
    Polynomial r = real({1, 1});
    r.setCoeff(Complex(0, 0), 3);  // writing past the end removes nothing
    EXPECT_EQ(r.orderedCoeffs().size(), 4u);
}

TEST(Polynomial, Arithmetic)
{
    EXPECT_EQ(real({1, 1}) * real({1, 1}), real({1, 2, 1}));
    EXPECT_EQ(real({1, 0, 1}) - real({0, 1, 1}), real({1, -1}));
    EXPECT_EQ(real({0, 1}) - real({1, 0, 1}), real({-1, 1, -1}));
    Polynomial sum = real({1, 1}) + real({0, -1});
    EXPECT_EQ(sum, real({1}));
    EXPECT_EQ(sum.degree(), 0);
    Polynomial p = real({1, 1});
    p += real({1, 2, 3});
    EXPECT_EQ(p, real({2, 3, 3}));
    p -= real({2, 3, 3});
    EXPECT_EQ(p, Polynomial::zero());
    Polynomial settings = real({1, 1});
    settings.rootsPlaces = 3;
    EXPECT_EQ((settings + real({1})).rootsPlaces, 3);
    EXPECT_EQ((real({1, 1}) + settings).rootsPlaces, 3);
    EXPECT_EQ((settings * real({1})).rootsPlaces, 6);
    settings *= real({1});
    EXPECT_EQ(settings.rootsPlaces, 6);
}

TEST(Polynomial, NormaliseAndAdjust)
{
    EXPECT_EQ(real({6, 4, 2}).normalized(), real({3, 2, 1}));
    EXPECT_EQ(real({1, 1}).normalized(), real({1, 1}));
    EXPECT_FALSE(real({6, 4, 2}).isNormalized());
    EXPECT_EQ(real({1e-6, 2, 3e-6}).adjusted(), real({0, 2}));
    EXPECT_EQ(Polynomial({Complex(1, 4e-6), Complex(1, 0)}).adjusted(), Polynomial({Complex(1, 4e-6), Complex(1, 0)}));
}

TEST(Polynomial, EvaluateDifferentiateIntegrate)
{
    Polynomial p = real({5, 3, 2});
    EXPECT_EQ(p.evaluate(2.0), Complex(19, 0));
    EXPECT_EQ(p.evaluate(Complex(0, 1)), Complex(3, 3));
    EXPECT_EQ(Polynomial::zero().evaluate(3.0), Complex(0, 0));
    EXPECT_EQ(p.derivated(), real({3, 4}));
    EXPECT_EQ(real({3, 4}).integrated(), real({0, 3, 2}));
    EXPECT_EQ(real({7}).derivated(), Polynomial::zero());
    EXPECT_EQ(Polynomial::zero().integrated(), Polynomial::zero());
    EXPECT_EQ(real({-1, -1, 1}).cauchyBounds(), 1);
    EXPECT_EQ(real({-1, 3, 1}).cauchyBounds(), 3);
}

TEST(Polynomial, DegreeChoiceKeepsTheFirstOnATie)
{
    Polynomial a = real({1, 1});
    Polynomial b = real({2, 2});
    Polynomial c = real({1, 1, 1});
    EXPECT_EQ(&Polynomial::minDegree(a, b), &a);
    EXPECT_EQ(&Polynomial::maxDegree(a, b), &a);
    EXPECT_EQ(&Polynomial::minDegree(c, a), &a);
    EXPECT_EQ(&Polynomial::maxDegree(a, c), &c);
}

TEST(Polynomial, RootsComeOutInOrder)
{
    std::vector<Complex> roots = real({2, -3, 1}).computeComplexRoots();
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_TRUE(roots[0].isSimilarTo(Complex(1, 0)));
    EXPECT_TRUE(roots[1].isSimilarTo(Complex(2, 0)));

    // (x − 1)(x − 2)(x − 3)
    std::vector<Complex> cubic = real({-6, 11, -6, 1}).computeComplexRoots();
    ASSERT_EQ(cubic.size(), 3u);
    EXPECT_NEAR(cubic[0].real, 2, 1e-11);
    EXPECT_NEAR(cubic[1].real, 1, 1e-11);
    EXPECT_NEAR(cubic[2].real, 3, 1e-11);

    std::vector<Complex> imaginary = real({1, 0, 1}).computeComplexRoots();
    ASSERT_EQ(imaginary.size(), 2u);
    EXPECT_TRUE(imaginary[0].isSimilarTo(Complex(0, -1)));
    EXPECT_TRUE(imaginary[1].isSimilarTo(Complex(0, 1)));
    EXPECT_TRUE(real({1, 0, 1}).computeRealRoots().empty());
    EXPECT_EQ(real({4, 2}).computeComplexRoots(), std::vector<Complex>{Complex(-2, 0)});
    EXPECT_TRUE(real({4}).computeComplexRoots().empty());
}

TEST(Polynomial, RealRootsAfterAComplexRootAreKept)
{
    // (x² + 1)(x − 2): the complex pair comes first.
    std::vector<double> roots = real({-2, 1, -2, 1}).computeRealRoots();
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_NEAR(roots[0], 2, 1e-9);
}

TEST(Polynomial, ASymmetricStartDoesNotPoisonTheRoots)
{
    // x³ + x: the usual starts 1, 0, −1 collapse onto each other; every root is still found.
    std::vector<Complex> roots = real({0, 1, 0, 1}).computeComplexRoots();
    ASSERT_EQ(roots.size(), 3u);
    for (const Complex& root : roots) {
        EXPECT_FALSE(std::isnan(root.real) || std::isnan(root.imag));
        EXPECT_TRUE(real({0, 1, 0, 1}).evaluate(root).isSimilarTo(Complex(0, 0)));
    }
    std::vector<double> reals = real({0, 1, 0, 1}).computeRealRoots();
    ASSERT_EQ(reals.size(), 1u);
    EXPECT_NEAR(reals[0], 0, 1e-9);
}

TEST(Polynomial, AnUnconvergedRootEndsTheEnumeration)
{
    Polynomial p = real({-6, 11, -6, 1});
    p.rootsMaxIterations = 1;
    ComplexRootEnumerator roots = p.enumerateComplexRoots();
    EXPECT_FALSE(roots.next().has_value());
    EXPECT_FALSE(roots.next().has_value());
}

TEST(Polynomial, EnumerationIsLazy)
{
    RealRootEnumerator roots = real({2, -3, 1}).enumerateRealRoots();
    EXPECT_NEAR(*roots.next(), 1, 1e-9);
    EXPECT_NEAR(*roots.next(), 2, 1e-9);
    EXPECT_FALSE(roots.next().has_value());
}

TEST(Polynomial, DurandKerner)
{
    auto [converged, roots] = real({-6, 11, -6, 1}).durandKernerRoots();
    EXPECT_TRUE(converged);
    ASSERT_EQ(roots.size(), 3u);
    std::vector<double> reals;
    for (const Complex& r : roots) {
        EXPECT_TRUE(r.isReal());
        reals.push_back(r.real);
    }
    std::sort(reals.begin(), reals.end());
    EXPECT_NEAR(reals[0], 1, 1e-6);
    EXPECT_NEAR(reals[1], 2, 1e-6);
    EXPECT_NEAR(reals[2], 3, 1e-6);

    Polynomial none = real({-6, 11, -6, 1});
    none.rootsMaxIterations = 0;
    auto [stopped, starts] = none.durandKernerRoots();
    EXPECT_FALSE(stopped);
    EXPECT_EQ(starts, (std::vector<Complex>{Complex(1, 0), Complex(0.4, 0.9), Complex(0.4, 0.9) * Complex(0.4, 0.9)}));
}

TEST(Polynomial, StartsAndLinearRoot)
{
    EXPECT_EQ(real({1, 2}).linearRoot(), Complex(-0.5, 0));
    EXPECT_EQ(real({-1, 3, 1}).mullerValues(), (std::vector<Complex>{Complex(3, 0), Complex(0, 0), Complex(-3, 0)}));
    EXPECT_EQ(real({-6, 11, -6, 1}).deflated(Complex(1, 0)), real({6, -5, 1}));
}

TEST(Polynomial, Text)
{
    Polynomial p({Complex(1, 0), Complex(2, -1)});
    EXPECT_EQ(p.readableFormat(), "+ (+1.0 +0.0i) x^0 + (+2.0 -1.0i) x^1");
    EXPECT_EQ(p.description(), "Polynomial(+ (+1.0 +0.0i) x^0 + (+2.0 -1.0i) x^1)");
    EXPECT_EQ(Polynomial::zero().description(), "Polynomial()");
}

}  // namespace
}  // namespace kestrane
