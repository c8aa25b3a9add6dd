// A polynomial in one variable with complex coefficients, lowest power first: editing, normalisation,
// evaluation, derivative and integral, sums and products, and root finding (Muller's method with deflation,
// or a simultaneous Durand–Kerner iteration). The last coefficient is never exactly zero, except after
// writing zeros past the end with setCoeff.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "numerics/complex.h"
#include "numerics/numeric_defaults.h"
#include "numerics/solver.h"

namespace kestrane {

class ComplexRootEnumerator;
class RealRootEnumerator;

class Polynomial {
public:
    Polynomial() = default;
    // Trailing zero coefficients are removed.
    explicit Polynomial(std::vector<Complex> orderedCoeffs);
    static Polynomial zero() { return {}; }

    int rootsPlaces = SimilarityPlaces;
    int rootsMaxIterations = SolverMaxIterations;

    const std::vector<Complex>& orderedCoeffs() const { return coeffs_; }
    std::vector<Complex>::const_iterator begin() const { return coeffs_.begin(); }
    std::vector<Complex>::const_iterator end() const { return coeffs_.end(); }
    // The number of coefficients − 1; 0 for the zero polynomial.
    int degree() const;
    bool isNormalized() const;

    // (0, 0) at or above the number of coefficients.
    Complex coeffForDegree(int degree) const;
    Complex operator[](int degree) const { return coeffForDegree(degree); }
    // Below the count: replaces, and writing the leading coefficient removes the trailing zeros. At or
    // above it: pads with zeros and appends, removing nothing.
    void setCoeff(const Complex& value, int degree);

    // Divides by the leading coefficient; needs at least one coefficient.
    void normalize();
    Polynomial normalized() const;
    // Coefficients within the tolerance of zero in both parts become zero.
    void adjust(double tolerance = OverlapTolerance);
    Polynomial adjusted(double tolerance = OverlapTolerance) const;

    Complex evaluate(double x) const;
    Complex evaluate(const Complex& z) const;
    Polynomial derivated() const;
    Polynomial integrated() const;
    // max(1, the largest coefficient modulus).
    double cauchyBounds() const;
    static const Polynomial& minDegree(const Polynomial& p, const Polynomial& q);
    static const Polynomial& maxDegree(const Polynomial& p, const Polynomial& q);

    ComplexRootEnumerator enumerateComplexRoots() const;
    std::vector<Complex> computeComplexRoots() const;
    RealRootEnumerator enumerateRealRoots() const;
    std::vector<double> computeRealRoots() const;
    // −a0 / a1; needs at least two coefficients.
    Complex linearRoot() const;
    std::vector<Complex> mullerValues() const;
    // Whether the iteration converged, and the roots.
    std::pair<bool, std::vector<Complex>> durandKernerRoots() const;
    // The quotient of the division by (x − root); the remainder is dropped.
    Polynomial deflated(const Complex& root) const;

    // "+ (+1.0 +0.0i) x^0 + (+2.0 -1.0i) x^1"
    std::string readableFormat() const;
    std::string description() const { return "Polynomial(" + readableFormat() + ")"; }

    // Compares the coefficients only.
    friend bool operator==(const Polynomial& p, const Polynomial& q) { return p.coeffs_ == q.coeffs_; }

private:
    void removeTrailingZeros();

    std::vector<Complex> coeffs_;
};

// Yields the complex roots one at a time: each found by Muller's method on the polynomial deflated by the
// roots before it, the last by the linear formula. A root the solver cannot converge on, from any of its
// starting points, ends the enumeration: it is not yielded, and nothing is deflated by it.
class ComplexRootEnumerator {
public:
    explicit ComplexRootEnumerator(const Polynomial& polynomial);
    std::optional<Complex> next();

private:
    std::optional<Complex> findRoot();

    Polynomial working_;  // deflated by every root yielded
    std::optional<Complex> lastRoot_;
    Solver solver_;
    bool finished_ = false;
};

// Yields the real parts of the roots whose imaginary part is 0 at the polynomial's rootsPlaces, skipping
// the others.
class RealRootEnumerator {
public:
    explicit RealRootEnumerator(const Polynomial& polynomial);
    std::optional<double> next();

private:
    ComplexRootEnumerator roots_;
    int places_;
};

Polynomial operator+(const Polynomial& p, const Polynomial& q);
Polynomial operator-(const Polynomial& p, const Polynomial& q);
Polynomial operator*(const Polynomial& p, const Polynomial& q);
Polynomial& operator+=(Polynomial& p, const Polynomial& q);
Polynomial& operator-=(Polynomial& p, const Polynomial& q);
Polynomial& operator*=(Polynomial& p, const Polynomial& q);

}  // namespace kestrane
