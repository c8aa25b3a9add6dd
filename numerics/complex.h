// A complex number of two reals, with polar access, decimal-place and tolerance comparisons, rounding,
// arithmetic (also mixed with reals; divisions by Smith's method) and the elementary functions on their
// principal branches.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "numerics/numeric_defaults.h"

namespace kestrane {

struct Complex {
    double real = 0;
    double imag = 0;

    Complex() = default;
    Complex(double real, double imag) : real(real), imag(imag) {}
    static Complex fromReal(double real) { return {real, 0}; }
    static Complex fromImag(double imag) { return {0, imag}; }
    static Complex polar(double abs, double arg);

    // The modulus; setting it rescales both parts, keeping the direction.
    double abs() const;
    void setAbs(double r);
    // The argument in −π … π; setting it keeps the modulus.
    double arg() const;
    void setArg(double phi);
    double norm() const { return abs(); }
    Complex conj() const { return {real, -imag}; }

    bool isReal(int places = SimilarityPlaces) const;
    bool isImaginary(int places = SimilarityPlaces) const;
    bool overlap(const Complex& other, double tolerance = OverlapTolerance) const;
    bool isSimilarTo(const Complex& other, int places = SimilarityPlaces) const;

    Complex round() const;
    Complex round(int places) const;
    Complex truncate(int places) const;
    // The principal root: its real part is never negative.
    Complex sqrt() const;

    // Both zeros hash alike.
    std::size_t hashValue() const;
    // "(+1.0 -2.0i)": a "+" before each part whose sign bit is clear.
    std::string description() const;

    static Complex sqrt(const Complex& z) { return z.sqrt(); }
    static std::vector<Complex> realsToComplex(const std::vector<double>& reals);
    static Complex exp(const Complex& z);
    static Complex log(const Complex& z);
    static Complex pow(const Complex& z, const Complex& w);
    static Complex cos(const Complex& z);
    static Complex sin(const Complex& z);
    static Complex tan(const Complex& z);
    static Complex atan(const Complex& z);
    static Complex asin(const Complex& z);
    static Complex acos(const Complex& z);
    static Complex sinh(const Complex& z);
    static Complex cosh(const Complex& z);
    static Complex tanh(const Complex& z);
    static Complex asinh(const Complex& z);
    static Complex acosh(const Complex& z);
    static Complex atanh(const Complex& z);

    friend bool operator==(const Complex&, const Complex&) = default;
};

Complex operator+(const Complex& z, const Complex& w);
Complex operator-(const Complex& z, const Complex& w);
Complex operator*(const Complex& z, const Complex& w);
// Smith's division.
Complex operator/(const Complex& z, const Complex& w);
Complex operator+(const Complex& z, double k);
Complex operator+(double k, const Complex& z);
Complex operator-(const Complex& z, double k);
Complex operator-(double k, const Complex& z);
Complex operator*(const Complex& z, double k);
Complex operator*(double k, const Complex& z);
Complex operator/(const Complex& z, double k);
Complex operator/(double k, const Complex& z);
Complex operator-(const Complex& z);
Complex operator+(const Complex& z);
Complex& operator+=(Complex& z, const Complex& w);
Complex& operator-=(Complex& z, const Complex& w);
Complex& operator*=(Complex& z, const Complex& w);
Complex& operator/=(Complex& z, const Complex& w);
Complex& operator+=(Complex& z, double k);
Complex& operator-=(Complex& z, double k);
Complex& operator*=(Complex& z, double k);
Complex& operator/=(Complex& z, double k);

}  // namespace kestrane

template <>
struct std::hash<kestrane::Complex> {
    std::size_t operator()(const kestrane::Complex& z) const { return z.hashValue(); }
};
