#include "numerics/cubic_bezier.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "numerics/convex_hull.h"
#include "numerics/integrator.h"
#include "numerics/point_geometry.h"
#include "numerics/real_number.h"
#include "numerics/rect_geometry.h"

namespace kestrane {

namespace {

double clampUnit(double t) { return std::max(0.0, std::min(t, 1.0)); }

// Power-basis coefficients of one coordinate, lowest power first.
std::array<double, 4> positionCoefficients(const std::array<double, 4>& p)
{
    return {p[0], 3 * p[1] - 3 * p[0], 3 * p[0] - 6 * p[1] + 3 * p[2], 3 * p[1] - p[0] - 3 * p[2] + p[3]};
}

std::array<double, 3> derivativeCoefficients(const std::array<double, 4>& p)
{
    std::array<double, 4> k = positionCoefficients(p);
    return {k[1], 2 * k[2], 3 * k[3]};
}

double derivativeAt(const std::array<double, 4>& p, double t)
{
    std::array<double, 4> k = positionCoefficients(p);
    return k[1] + 2 * k[2] * t + 3 * k[3] * t * t;
}

std::vector<double> derivativeRoots(const std::array<double, 4>& v, int places)
{
    double p0 = v[0], p1 = v[1], p2 = v[2], p3 = v[3];
    double f = 3 * p1 - p0 - 3 * p2 + p3;
    if (std::round(f * decimalScale<double>(places)) != 0) {
        double s = std::sqrt(p2 * p2 + p1 * p1 - (p2 - p3) * p0 - (p3 + p2) * p1);
        double m = 2 * p1 - p0 - p2;
        return {(m - s) / f, (m + s) / f};
    }
    return {(p0 - p1) / (2 * (p0 - 2 * p1 + p2))};
}

template <std::size_t N>
Polynomial realPolynomial(const std::array<double, N>& coeffs)
{
    return Polynomial(Complex::realsToComplex(std::vector<double>(coeffs.begin(), coeffs.end())));
}

FatLine fatLine(const Line& line, std::initializer_list<gfx::Point> points, bool includeZero)
{
    double lo = includeZero ? 0 : std::numeric_limits<double>::infinity();
    double hi = includeZero ? 0 : -std::numeric_limits<double>::infinity();
    for (const gfx::Point& p : points) {
        lo = std::min(lo, line.distance(p));
        hi = std::max(hi, line.distance(p));
    }
    return FatLine(line, lo, hi);
}

// The interval of the values seen so far, if any.
struct Span {
    std::optional<Interval> interval;
    void add(double x)
    {
        if (!std::isfinite(x)) return;
        if (interval) {
            interval->expandToValueInPlace(x);
        } else {
            interval = Interval(x, x);
        }
    }
};

}  // namespace

CubicBezier CubicBezier::fromQuadratic(const gfx::Point& a, const gfx::Point& b, const gfx::Point& c)
{
    return {a, a + 2.0 * (b - a) / 3.0, c + 2.0 * (b - c) / 3.0, c};
}

CubicBezier CubicBezier::fromSegment(const Segment& segment)
{
    gfx::Point start = segment.start;
    gfx::Point delta = segment.end - start;
    return {start, start + delta * 0.3333333333333333, start + delta * 0.6666666666666666, segment.end};
}

void CubicBezier::setXValues(const std::array<double, 4>& values)
{
    a.x = values[0];
    b.x = values[1];
    c.x = values[2];
    d.x = values[3];
}

void CubicBezier::setYValues(const std::array<double, 4>& values)
{
    a.y = values[0];
    b.y = values[1];
    c.y = values[2];
    d.y = values[3];
}

bool CubicBezier::isSimilarTo(const CubicBezier& other, int places) const
{
    return kestrane::isSimilarTo(a, other.a, places) && kestrane::isSimilarTo(b, other.b, places) &&
           kestrane::isSimilarTo(c, other.c, places) && kestrane::isSimilarTo(d, other.d, places);
}

bool CubicBezier::isSimilarToReversed(const CubicBezier& other, int places) const
{
    return isSimilarTo(other.reversed(), places);
}

bool CubicBezier::isPoint(int places) const
{
    return kestrane::isSimilarTo(b, a, places) && kestrane::isSimilarTo(c, a, places) &&
           kestrane::isSimilarTo(d, a, places);
}

bool CubicBezier::isSegment(int places) const
{
    Line line = mainLine();
    double scale = decimalScale<double>(places);
    return std::round(line.distance(b) * scale) == 0 && std::round(line.distance(c) * scale) == 0;
}

gfx::Point CubicBezier::pointAt(double t) const
{
    t = clampUnit(t);
    double s = 1 - t;
    return s * s * s * a + 3 * t * s * s * b + 3 * t * t * s * c + t * t * t * d;
}

double CubicBezier::distanceBetween(double t, const gfx::Point& p) const { return distanceFromPoint(pointAt(t), p); }

double CubicBezier::baseX(double t) const { return derivativeAt(xValues(), t); }
double CubicBezier::baseY(double t) const { return derivativeAt(yValues(), t); }
Polynomial CubicBezier::xPolynomial() const { return realPolynomial(positionCoefficients(xValues())); }
Polynomial CubicBezier::yPolynomial() const { return realPolynomial(positionCoefficients(yValues())); }
Polynomial CubicBezier::xDerivatePolynomial() const { return realPolynomial(derivativeCoefficients(xValues())); }
Polynomial CubicBezier::yDerivatePolynomial() const { return realPolynomial(derivativeCoefficients(yValues())); }
std::vector<double> CubicBezier::baseXRoots(int places) const { return derivativeRoots(xValues(), places); }
std::vector<double> CubicBezier::baseYRoots(int places) const { return derivativeRoots(yValues(), places); }

double CubicBezier::length() const
{
    return Integrator(0, 1).simpson([this](double t) { return std::hypot(baseX(t), baseY(t)); });
}

gfx::Rect CubicBezier::bounds() const
{
    std::vector<double> roots = baseXRoots(6);
    std::vector<double> yRoots = baseYRoots(6);
    roots.insert(roots.end(), yRoots.begin(), yRoots.end());
    gfx::Rect box = Rect::fromPoints(a, d);
    for (double t : roots) {
        if (!(t <= 1)) continue;
        expand(box, pointAt(clampUnit(t)));
    }
    return box;
}

gfx::Rect CubicBezier::boundingRect() const
{
    std::array<double, 4> xs = xValues();
    std::array<double, 4> ys = yValues();
    auto [minX, maxX] = std::minmax_element(xs.begin(), xs.end());
    auto [minY, maxY] = std::minmax_element(ys.begin(), ys.end());
    return gfx::Rect(*minX, *minY, *maxX - *minX, *maxY - *minY);
}

Line CubicBezier::perpendicularLine() const
{
    gfx::Point middle = (a + d) / 2.0;
    double chord = distanceFromPoint(a, d);
    gfx::Point normal = chord == 0 ? gfx::Point{0, 0} : gfx::Point{a.y - d.y, d.x - a.x} / chord;
    return Line::through(middle, middle - normal);
}

FatLine CubicBezier::regularFatLine() const { return fatLine(mainLine(), {b, c}, true); }

FatLine CubicBezier::perpendicularFatLine() const { return fatLine(perpendicularLine(), {a, b, c, d}, false); }

CubicBezier::Split CubicBezier::split(double t) const
{
    t = clampUnit(t);
    double s = 1 - t;
    gfx::Point ab = s * a + t * b;
    gfx::Point bc = s * b + t * c;
    gfx::Point cd = s * c + t * d;
    gfx::Point abc = s * ab + t * bc;
    gfx::Point bcd = s * bc + t * cd;
    gfx::Point p = s * abc + t * bcd;
    return {p, CubicBezier(a, ab, abc, p), CubicBezier(p, bcd, cd, d)};
}

CubicBezier CubicBezier::subcurve(const Interval& interval) const
{
    double lo = std::max(interval.min, 0.0);
    double hi = std::min(interval.max, 1.0);
    CubicBezier rest = split(lo).right;
    if (lo == 1) return rest;
    return rest.split((hi - lo) / (1 - lo)).left;
}

CubicBezier::Subcurves CubicBezier::splitSubcurves(const Interval& interval) const
{
    double lo = std::max(interval.min, 0.0);
    double hi = std::min(interval.max, 1.0);
    if (lo == 1) return {zero(), zero(), zero()};
    CubicBezier left = zero();
    CubicBezier rest = *this;
    if (lo != 0) {
        Split first = split(lo);
        left = first.left;
        rest = first.right;
    }
    Split second = rest.split((hi - lo) / (1 - lo));
    return {left, second.left, second.right};
}

CubicBezier::Distance CubicBezier::distance(const gfx::Point& p) const
{
    Polynomial x = xPolynomial();
    Polynomial y = yPolynomial();
    x.setCoeff(x.coeffForDegree(0) - p.x, 0);
    y.setCoeff(y.coeffForDegree(0) - p.y, 0);
    Polynomial equation = x * xDerivatePolynomial() + y * yDerivatePolynomial();

    Distance best{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    auto consider = [&](double t) {
        t = clampUnit(t);
        double e = distanceFromPoint(pointAt(t), p);
        if (e < best.value) best = {e, t};
    };
    RealRootEnumerator roots = equation.enumerateRealRoots();
    while (auto root = roots.next())
        consider(*root);
    // The nearest point of a clamped curve may be an end point where the equation has no root.
    consider(0);
    consider(1);
    return best;
}

double CubicBezier::refineParameter(double t, const gfx::Point& p) const
{
    double u = clampUnit(t);
    gfx::Point e = pointAt(u) - p;
    gfx::Point derivative = fromQuadratic(3.0 * (b - a), 3.0 * (c - b), 3.0 * (d - c)).pointAt(u);
    auto s = [t](double q0, double q1, double q2) { return 2 * (q1 - q0) + 2 * (q0 - 2 * q1 + q2) * t; };
    gfx::Point second{s(a.x, b.x, c.x), s(a.y, b.y, c.y)};
    return t - dotMult(e, derivative) / (dotMult(derivative, derivative) + dotMult(e, second));
}

Interval CubicBezier::projectionInterval(const Segment& segment) const
{
    double t1 = distance(segment.start).param;
    double t2 = distance(segment.end).param;
    return Interval(std::min(t1, t2), std::max(t1, t2));
}

CubicBezier::Projection CubicBezier::projectSegment(const Segment& segment) const
{
    Interval interval = projectionInterval(segment);
    return {subcurve(interval), interval};
}

std::optional<Interval> CubicBezier::clipInterval(const FatLine& fatLine) const
{
    std::vector<gfx::Point> points{{0, fatLine.line.distance(a)},
                                   {1.0 / 3, fatLine.line.distance(b)},
                                   {2.0 / 3, fatLine.line.distance(c)},
                                   {1, fatLine.line.distance(d)}};
    std::vector<gfx::Point> hull = Point::convexHullInPlace(points);
    Span span;
    for (std::size_t i = 0; i < hull.size(); ++i) {
        gfx::Point p1 = hull[i];
        gfx::Point p2 = hull[(i + 1) % hull.size()];
        double ylo = std::min(p1.y, p2.y);
        double yhi = std::max(p1.y, p2.y);
        for (double v : {fatLine.min, fatLine.max}) {
            if (v < ylo - OverlapTolerance || v > yhi + OverlapTolerance) continue;
            if (p1.x == p2.x) {
                span.add(p1.x);
            } else if (p1.y == p2.y) {
                // A level edge at the band's edge lies on it from end to end.
                span.add(p1.x);
                span.add(p2.x);
            } else {
                span.add(p1.x + (v - p1.y) / ((p2.y - p1.y) / (p2.x - p1.x)));
            }
        }
        if (fatLine.min < p1.y && p1.y < fatLine.max) span.add(p1.x);
    }
    return span.interval;
}

std::optional<Interval> CubicBezier::clipInterval(const CubicBezier& other) const
{
    std::optional<Interval> regular = clipInterval(other.regularFatLine());
    if (!regular) return std::nullopt;
    std::optional<Interval> perpendicular = clipInterval(other.perpendicularFatLine());
    if (!perpendicular) return std::nullopt;
    double lo = std::max(regular->min, perpendicular->min);
    double hi = std::min(regular->max, perpendicular->max);
    if (hi >= lo) return Interval(lo, hi);
    return std::nullopt;
}

std::string CubicBezier::description() const
{
    return "<CubicBezier (" + gfx::describe(a) + ", " + gfx::describe(b) + ", " + gfx::describe(c) + ", " +
           gfx::describe(d) + ")>";
}

}  // namespace kestrane
