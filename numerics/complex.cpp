#include "numerics/complex.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "numerics/number_text.h"
#include "numerics/real_number.h"

namespace kestrane {

namespace {

Complex square(const Complex& z) { return {z.real * z.real - z.imag * z.imag, 2 * z.real * z.imag}; }

// e^x of a complex x.
Complex expOf(const Complex& x)
{
    double m = std::exp(x.real);
    return {m * std::cos(x.imag), m * std::sin(x.imag)};
}

const Complex i{0, 1};

std::string signedText(double v) { return (std::signbit(v) ? "" : "+") + describe(v); }

}  // namespace

Complex Complex::polar(double abs, double arg) { return {abs * std::cos(arg), abs * std::sin(arg)}; }

double Complex::abs() const { return std::hypot(real, imag); }

void Complex::setAbs(double r)
{
    double factor = r / abs();
    real *= factor;
    imag *= factor;
}

double Complex::arg() const { return std::atan2(imag, real); }

void Complex::setArg(double phi)
{
    double m = abs();
    real = m * std::cos(phi);
    imag = m * std::sin(phi);
}

bool Complex::isReal(int places) const { return kestrane::isSimilarTo(imag, 0.0, places); }

bool Complex::isImaginary(int places) const { return kestrane::isSimilarTo(real, 0.0, places); }

bool Complex::overlap(const Complex& other, double tolerance) const
{
    return kestrane::overlap(real, other.real, tolerance) && kestrane::overlap(imag, other.imag, tolerance);
}

bool Complex::isSimilarTo(const Complex& other, int places) const
{
    return kestrane::isSimilarTo(real, other.real, places) && kestrane::isSimilarTo(imag, other.imag, places);
}

Complex Complex::round() const { return {std::round(real), std::round(imag)}; }

Complex Complex::round(int places) const { return {kestrane::round(real, places), kestrane::round(imag, places)}; }

Complex Complex::truncate(int places) const
{
    return {kestrane::truncate(real, places), kestrane::truncate(imag, places)};
}

Complex Complex::sqrt() const
{
    double m = std::hypot(real, imag);
    double s = imag >= 0 ? 1 : -1;
    return {std::sqrt((m + real) * 0.5), s * std::sqrt((m - real) * 0.5)};
}

std::size_t Complex::hashValue() const
{
    auto bits = [](double v) { return v == 0 ? std::uint64_t(0) : std::bit_cast<std::uint64_t>(v); };
    std::uint64_t high = bits(real) & 0xFFFFFFFF00000000ull;
    std::uint64_t low = static_cast<std::uint64_t>(static_cast<std::int64_t>(bits(imag)) >> 32);
    return static_cast<std::size_t>(high | low);
}

std::string Complex::description() const { return "(" + signedText(real) + " " + signedText(imag) + "i)"; }

std::vector<Complex> Complex::realsToComplex(const std::vector<double>& reals)
{
    std::vector<Complex> result;
    result.reserve(reals.size());
    for (double x : reals)
        result.emplace_back(x, 0);
    return result;
}

Complex Complex::exp(const Complex& z) { return expOf(z); }

Complex Complex::log(const Complex& z) { return {std::log(std::hypot(z.real, z.imag)), std::atan2(z.imag, z.real)}; }

Complex Complex::pow(const Complex& z, const Complex& w)
{
    if (w == Complex(0, 0)) return {1, 0};
    if (w == Complex(1, 0)) return z;
    if (w == Complex(2, 0)) return square(z);
    double logModulus = std::log(z.abs());
    double theta = z.arg();
    double modulus = std::exp(logModulus * w.real - theta * w.imag);
    double angle = theta * w.real + logModulus * w.imag;
    return {modulus * std::cos(angle), modulus * std::sin(angle)};
}

Complex Complex::cos(const Complex& z) { return (expOf(i * z) + expOf(-(i * z))) / 2.0; }

Complex Complex::sin(const Complex& z) { return (expOf(i * z) - expOf(-(i * z))) / Complex(0, 2); }

Complex Complex::tan(const Complex& z)
{
    Complex a = expOf(i * z);
    Complex b = expOf(-(i * z));
    return (a - b) / (i * (a + b));
}

Complex Complex::atan(const Complex& z) { return Complex(0, 0.5) * (log(1.0 - i * z) - log(1.0 + i * z)); }

Complex Complex::asin(const Complex& z) { return Complex(0, -1) * log(i * z + (1.0 - square(z)).sqrt()); }

Complex Complex::acos(const Complex& z) { return i * log(z - i * (1.0 - square(z)).sqrt()); }

Complex Complex::sinh(const Complex& z) { return (expOf(z) - expOf(-z)) / 2.0; }

Complex Complex::cosh(const Complex& z) { return (expOf(z) + expOf(-z)) / 2.0; }

Complex Complex::tanh(const Complex& z)
{
    Complex a = expOf(z);
    Complex b = expOf(-z);
    return (a - b) / (a + b);
}

Complex Complex::asinh(const Complex& z) { return log(z + (square(z) + 1.0).sqrt()); }

Complex Complex::acosh(const Complex& z) { return log(z + (square(z) - 1.0).sqrt()); }

Complex Complex::atanh(const Complex& z) { return 0.5 * log((1.0 + z) / (1.0 - z)); }

Complex operator+(const Complex& z, const Complex& w) { return {z.real + w.real, z.imag + w.imag}; }
Complex operator-(const Complex& z, const Complex& w) { return {z.real - w.real, z.imag - w.imag}; }

Complex operator*(const Complex& z, const Complex& w)
{
    return {z.real * w.real - z.imag * w.imag, z.imag * w.real + z.real * w.imag};
}

Complex operator/(const Complex& z, const Complex& w)
{
    double a = z.real, b = z.imag, u = w.real, v = w.imag;
    if (std::fabs(u) >= std::fabs(v)) {
        double r = v / u;
        double den = v * r + u;
        return {(a + b * r) / den, (b - a * r) / den};
    }
    double r = u / v;
    double den = u * r + v;
    return {(a * r + b) / den, (b * r - a) / den};
}

Complex operator+(const Complex& z, double k) { return {z.real + k, z.imag + 0}; }
Complex operator+(double k, const Complex& z) { return {k + z.real, 0 + z.imag}; }
Complex operator-(const Complex& z, double k) { return {z.real - k, z.imag}; }
Complex operator-(double k, const Complex& z) { return {k - z.real, 0 - z.imag}; }
Complex operator*(const Complex& z, double k) { return {z.real * k, z.imag * k}; }
Complex operator*(double k, const Complex& z) { return {k * z.real, k * z.imag}; }
Complex operator/(const Complex& z, double k) { return {z.real / k, z.imag / k}; }
Complex operator/(double k, const Complex& z) { return Complex(k, 0) / z; }
Complex operator-(const Complex& z) { return {-z.real, -z.imag}; }
Complex operator+(const Complex& z) { return z; }
Complex& operator+=(Complex& z, const Complex& w) { return z = z + w; }
Complex& operator-=(Complex& z, const Complex& w) { return z = z - w; }
Complex& operator*=(Complex& z, const Complex& w) { return z = z * w; }
Complex& operator/=(Complex& z, const Complex& w) { return z = z / w; }
Complex& operator+=(Complex& z, double k) { return z = z + k; }
Complex& operator-=(Complex& z, double k) { return z = z - k; }
Complex& operator*=(Complex& z, double k) { return z = z * k; }
Complex& operator/=(Complex& z, double k) { return z = z / k; }

}  // namespace kestrane
