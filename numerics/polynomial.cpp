#include "numerics/polynomial.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

const Complex zeroCoeff{0, 0};

Polynomial withSettingsOf(Polynomial result, const Polynomial& source)
{
    result.rootsPlaces = source.rootsPlaces;
    result.rootsMaxIterations = source.rootsMaxIterations;
    return result;
}

// The operand a sum starts from and whose settings a sum or difference keeps: the one of higher degree,
// the right one on a tie.
const Polynomial& dominant(const Polynomial& p, const Polynomial& q) { return p.degree() > q.degree() ? p : q; }

}  // namespace

Polynomial::Polynomial(std::vector<Complex> orderedCoeffs) : coeffs_(std::move(orderedCoeffs))
{
    removeTrailingZeros();
}

void Polynomial::removeTrailingZeros()
{
    while (!coeffs_.empty() && coeffs_.back() == zeroCoeff)
        coeffs_.pop_back();
}

int Polynomial::degree() const { return coeffs_.empty() ? 0 : static_cast<int>(coeffs_.size()) - 1; }

bool Polynomial::isNormalized() const { return coeffs_.empty() || coeffs_.back() == Complex(1, 0); }

Complex Polynomial::coeffForDegree(int degree) const
{
    return degree < static_cast<int>(coeffs_.size()) ? coeffs_[degree] : zeroCoeff;
}

void Polynomial::setCoeff(const Complex& value, int degree)
{
    int count = static_cast<int>(coeffs_.size());
    if (degree < count) {
        coeffs_[degree] = value;
        if (degree == count - 1) removeTrailingZeros();
        return;
    }
    coeffs_.resize(degree, zeroCoeff);
    coeffs_.push_back(value);
}

void Polynomial::normalize()
{
    if (coeffs_.empty() || isNormalized()) return;
    Complex leading = coeffs_.back();
    coeffs_.back() = Complex(1, 0);
    for (int k = static_cast<int>(coeffs_.size()) - 2; k >= 0; --k)
        coeffs_[k] = coeffs_[k] / leading;
}

Polynomial Polynomial::normalized() const
{
    Polynomial copy = *this;
    copy.normalize();
    return copy;
}

void Polynomial::adjust(double tolerance)
{
    for (Complex& c : coeffs_) {
        if (-tolerance <= c.real && c.real <= tolerance && -tolerance <= c.imag && c.imag <= tolerance) {
            c = zeroCoeff;
        }
    }
    removeTrailingZeros();
}

Polynomial Polynomial::adjusted(double tolerance) const
{
    Polynomial copy = *this;
    copy.adjust(tolerance);
    return copy;
}

Complex Polynomial::evaluate(double x) const
{
    if (coeffs_.empty()) return zeroCoeff;
    Complex value = coeffs_.back();
    for (int k = static_cast<int>(coeffs_.size()) - 2; k >= 0; --k)
        value = value * x + coeffs_[k];
    return value;
}

Complex Polynomial::evaluate(const Complex& z) const
{
    if (coeffs_.empty()) return zeroCoeff;
    Complex value = coeffs_.back();
    for (int k = static_cast<int>(coeffs_.size()) - 2; k >= 0; --k)
        value = value * z + coeffs_[k];
    return value;
}

Polynomial Polynomial::derivated() const
{
    Polynomial result;
    for (int k = static_cast<int>(coeffs_.size()) - 1; k >= 1; --k) {
        result.setCoeff(double(k) * coeffs_[k], k - 1);
    }
    return result;
}

Polynomial Polynomial::integrated() const
{
    Polynomial result;
    if (coeffs_.empty()) return result;
    for (int k = static_cast<int>(coeffs_.size()) - 1; k >= 0; --k) {
        result.setCoeff(coeffs_[k] / double(k + 1), k + 1);
    }
    result.setCoeff(zeroCoeff, 0);
    return result;
}

double Polynomial::cauchyBounds() const
{
    double bound = 1;
    for (const Complex& c : coeffs_)
        bound = std::max(bound, c.abs());
    return bound;
}

const Polynomial& Polynomial::minDegree(const Polynomial& p, const Polynomial& q)
{
    return q.degree() < p.degree() ? q : p;
}

const Polynomial& Polynomial::maxDegree(const Polynomial& p, const Polynomial& q)
{
    return q.degree() > p.degree() ? q : p;
}

ComplexRootEnumerator Polynomial::enumerateComplexRoots() const { return ComplexRootEnumerator(*this); }

RealRootEnumerator Polynomial::enumerateRealRoots() const { return RealRootEnumerator(*this); }

std::vector<Complex> Polynomial::computeComplexRoots() const
{
    std::vector<Complex> roots;
    ComplexRootEnumerator enumerator = enumerateComplexRoots();
    while (auto root = enumerator.next())
        roots.push_back(*root);
    return roots;
}

std::vector<double> Polynomial::computeRealRoots() const
{
    std::vector<double> roots;
    RealRootEnumerator enumerator = enumerateRealRoots();
    while (auto root = enumerator.next())
        roots.push_back(*root);
    return roots;
}

Complex Polynomial::linearRoot() const { return -coeffForDegree(0) / coeffForDegree(1); }

std::vector<Complex> Polynomial::mullerValues() const
{
    double m = cauchyBounds();
    return {Complex(m, 0), Complex(0, 0), Complex(-m, 0)};
}

std::pair<bool, std::vector<Complex>> Polynomial::durandKernerRoots() const
{
    Polynomial monic = normalized();
    int n = degree();
    if (n == 0) return {true, {}};
    std::vector<Complex> z(n);
    z[0] = Complex(1, 0);
    for (int k = 1; k < n; ++k)
        z[k] = z[k - 1] * Complex(0.4, 0.9);
    for (int round = 0; round < rootsMaxIterations; ++round) {
        std::vector<Complex> next(n);
        bool converged = true;
        for (int j = 0; j < n; ++j) {
            Complex product(1, 0);
            for (int k = 0; k < n; ++k) {
                if (k != j) product = product * (z[j] - z[k]);
            }
            next[j] = z[j] - monic.evaluate(z[j]) / product;
            converged = converged && next[j].isSimilarTo(z[j], rootsPlaces);
        }
        z = std::move(next);
        if (converged) return {true, z};
    }
    return {false, z};
}

Polynomial Polynomial::deflated(const Complex& root) const
{
    Polynomial w(*this);
    Polynomial quotient;
    for (int m = static_cast<int>(coeffs_.size()) - 1; m >= 1; --m) {
        Complex g = w.coeffForDegree(m);
        w.setCoeff(zeroCoeff, m);
        w.setCoeff(g * root + w.coeffForDegree(m - 1), m - 1);
        quotient.setCoeff(g, m - 1);
    }
    return quotient;
}

std::string Polynomial::readableFormat() const
{
    std::string text;
    for (std::size_t k = 0; k < coeffs_.size(); ++k) {
        text += " + " + coeffs_[k].description() + " x^" + std::to_string(k);
    }
    return text.empty() ? text : text.substr(1);
}

Polynomial operator+(const Polynomial& p, const Polynomial& q)
{
    const Polynomial& higher = dominant(p, q);
    const Polynomial& other = &higher == &p ? q : p;
    Polynomial result = higher;
    for (int k = 0; k < static_cast<int>(other.orderedCoeffs().size()); ++k) {
        result.setCoeff(result.coeffForDegree(k) + other.coeffForDegree(k), k);
    }
    return result;
}

Polynomial operator-(const Polynomial& p, const Polynomial& q)
{
    std::size_t count = std::max(p.orderedCoeffs().size(), q.orderedCoeffs().size());
    std::vector<Complex> coeffs(count);
    for (std::size_t k = 0; k < count; ++k) {
        coeffs[k] = p.coeffForDegree(static_cast<int>(k)) - q.coeffForDegree(static_cast<int>(k));
    }
    return withSettingsOf(Polynomial(std::move(coeffs)), dominant(p, q));
}

Polynomial operator*(const Polynomial& p, const Polynomial& q)
{
    const std::vector<Complex>& a = p.orderedCoeffs();
    const std::vector<Complex>& b = q.orderedCoeffs();
    if (a.empty() || b.empty()) return Polynomial();
    std::vector<Complex> coeffs(a.size() + b.size() - 1);
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j)
            coeffs[i + j] += a[i] * b[j];
    }
    return Polynomial(std::move(coeffs));
}

Polynomial& operator+=(Polynomial& p, const Polynomial& q)
{
    for (int k = 0; k < static_cast<int>(q.orderedCoeffs().size()); ++k) {
        p.setCoeff(q.coeffForDegree(k) + p.coeffForDegree(k), k);
    }
    return p;
}

Polynomial& operator-=(Polynomial& p, const Polynomial& q)
{
    for (int k = 0; k < static_cast<int>(q.orderedCoeffs().size()); ++k) {
        p.setCoeff(p.coeffForDegree(k) - q.coeffForDegree(k), k);
    }
    return p;
}

Polynomial& operator*=(Polynomial& p, const Polynomial& q) { return p = p * q; }

ComplexRootEnumerator::ComplexRootEnumerator(const Polynomial& polynomial)
    : working_(polynomial.normalized()), solver_(polynomial.rootsMaxIterations, polynomial.rootsPlaces)
{
}

std::optional<Complex> ComplexRootEnumerator::next()
{
    if (finished_) return std::nullopt;
    if (lastRoot_) working_ = working_.deflated(*lastRoot_);
    lastRoot_ = findRoot();
    if (!lastRoot_) finished_ = true;
    return lastRoot_;
}

std::optional<Complex> ComplexRootEnumerator::findRoot()
{
    std::size_t count = working_.orderedCoeffs().size();
    if (count <= 1) return std::nullopt;
    if (count == 2) return working_.linearRoot();
    auto f = [this](Complex z) { return working_.evaluate(z); };
    // The usual start is symmetric about 0, which some polynomials (x³ + x) turn into coinciding
    // points; the other starts are spread unevenly around the same disc.
    double m = working_.cauchyBounds();
    constexpr int attempts = 4;
    for (int a = 0; a < attempts; ++a) {
        Complex root = a == 0 ? solver_.muller(Complex(m, 0), Complex(0, 0), Complex(-m, 0), f)
                              : solver_.muller(Complex::polar(m, a), Complex::polar(m / 2, 2.0 * a),
                                               Complex::polar(m / 3, 3.0 * a), f);
        if (solver_.success()) return root;
    }
    return std::nullopt;
}

RealRootEnumerator::RealRootEnumerator(const Polynomial& polynomial)
    : roots_(polynomial), places_(polynomial.rootsPlaces)
{
}

std::optional<double> RealRootEnumerator::next()
{
    while (auto root = roots_.next()) {
        if (root->isReal(places_)) return root->real;
    }
    return std::nullopt;
}

}  // namespace kestrane
