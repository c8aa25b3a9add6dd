#include "numerics/complex.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kestrane {
namespace {

constexpr double pi = 3.141592653589793;

void expectNear(const Complex& actual, const Complex& expected, double tolerance = 1e-12)
{
    EXPECT_NEAR(actual.real, expected.real, tolerance) << actual.description();
    EXPECT_NEAR(actual.imag, expected.imag, tolerance) << actual.description();
}

TEST(Complex, PolarAccess)
{
    Complex z(3, 4);
    EXPECT_EQ(z.abs(), 5);
    EXPECT_EQ(z.norm(), 5);
    z.setAbs(10);
    EXPECT_EQ(z, Complex(6, 8));
    Complex w(3, 4);
    w.setArg(pi / 2);
    expectNear(w, Complex(0, 5));
    Complex p = Complex::polar(2, pi);
    expectNear(p, Complex(-2, 0));
    EXPECT_NEAR(p.arg(), pi, 1e-15);
    EXPECT_EQ(Complex(1, 2).conj(), Complex(1, -2));
}

TEST(Complex, SquareRootIsPrincipal)
{
    EXPECT_EQ(Complex(-4, 0).sqrt(), Complex(0, 2));
    EXPECT_EQ(Complex::sqrt(Complex(-4, -0.0)), Complex(0, 2));
    Complex below = Complex(-4, -1e-300).sqrt();
    EXPECT_LT(below.imag, 0);
    EXPECT_EQ(Complex(3, 4).sqrt(), Complex(2, 1));
}

TEST(Complex, SmithDivision)
{
    Complex q = Complex(1, 2) / Complex(3, 4);
    EXPECT_EQ(q, Complex(0.44, 0.08));
    Complex byZero = Complex(1, 1) / Complex(0, 0);
    EXPECT_TRUE(std::isnan(byZero.real));
    EXPECT_TRUE(std::isnan(byZero.imag));
    expectNear(2.0 / Complex(0, 2), Complex(0, -1));
    Complex z(1, 2);
    z /= Complex(3, 4);
    EXPECT_EQ(z, Complex(0.44, 0.08));
}

TEST(Complex, MixedArithmetic)
{
    Complex z(1, 2);
    EXPECT_EQ(z + 1.0, Complex(2, 2));
    EXPECT_EQ(1.0 - z, Complex(0, -2));
    EXPECT_EQ(z * Complex(3, 4), Complex(-5, 10));
    EXPECT_EQ(2.0 * z, Complex(2, 4));
    EXPECT_EQ(z / 2.0, Complex(0.5, 1));
    EXPECT_EQ(-z, Complex(-1, -2));
    z += 1.0;
    z *= 2.0;
    EXPECT_EQ(z, Complex(4, 4));
}

TEST(Complex, PowerSpecialCases)
{
    Complex z(1.5, -2.5);
    EXPECT_EQ(Complex::pow(z, Complex(2, 0)), Complex(1.5 * 1.5 - 2.5 * 2.5, 2 * 1.5 * -2.5));
    EXPECT_EQ(Complex::pow(Complex(0, 0), Complex(0, 0)), Complex(1, 0));
    EXPECT_EQ(Complex::pow(z, Complex(1, 0)), z);
    expectNear(Complex::pow(Complex(0, 1), Complex(0.5, 0)), Complex(std::sqrt(0.5), std::sqrt(0.5)));
}

TEST(Complex, ElementaryFunctions)
{
    expectNear(Complex::log(Complex(0, 1)), Complex(0, pi / 2));
    Complex z(0.3, -1.2);
    expectNear(Complex::exp(Complex::log(z)), z);
    expectNear(Complex::sin(Complex::asin(z)), z);
    expectNear(Complex::cos(Complex::acos(z)), z);
    expectNear(Complex::tan(Complex::atan(z)), z);
    expectNear(Complex::sinh(Complex::asinh(z)), z);
    expectNear(Complex::cosh(Complex::acosh(z)), z);
    expectNear(Complex::tanh(Complex::atanh(z)), z);
    expectNear(Complex::sin(Complex(1, 0)), Complex(std::sin(1.0), 0));
    expectNear(Complex::cosh(Complex(1, 0)), Complex(std::cosh(1.0), 0));
}

TEST(Complex, Comparisons)
{
    EXPECT_TRUE(Complex(5, 0.0000004).isReal());
    EXPECT_FALSE(Complex(5, 0.0000005).isReal());
    EXPECT_TRUE(Complex(0.0000004, 5).isImaginary());
    EXPECT_TRUE(Complex(1, 1).overlap(Complex(1.000004, 0.999996)));
    EXPECT_FALSE(Complex(1, 1).overlap(Complex(1, 1.00001)));
    EXPECT_TRUE(Complex(1, 1).isSimilarTo(Complex(1.0000004, 1)));
    EXPECT_EQ(Complex(1.25, -1.25).round(1), Complex(1.3, -1.3));
    EXPECT_EQ(Complex(2.5, -2.5).round(), Complex(3, -3));
    EXPECT_EQ(Complex(1.99, -1.99).truncate(1), Complex(1.9, -1.9));
    EXPECT_EQ(Complex::realsToComplex({1, 2}), (std::vector<Complex>{Complex(1, 0), Complex(2, 0)}));
}

TEST(Complex, DescriptionAndHash)
{
    EXPECT_EQ(Complex(1, -2).description(), "(+1.0 -2.0i)");
    EXPECT_EQ(Complex(-0.0, 0).description(), "(-0.0 +0.0i)");
    EXPECT_EQ(Complex(NAN, 0.5).description(), "(+nan +0.5i)");
    EXPECT_EQ(Complex(0, 0).hashValue(), Complex(-0.0, -0.0).hashValue());
    EXPECT_EQ(std::hash<Complex>()(Complex(0, 0)), 0u);
    // A negative imaginary part fills the upper half through the sign extension.
    EXPECT_EQ(Complex(0, -1).hashValue() >> 32, 0xFFFFFFFFu);
    EXPECT_NE(Complex(1, 2).hashValue(), Complex(2, 1).hashValue());
}

}  // namespace
}  // namespace kestrane
