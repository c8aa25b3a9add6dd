// Three points, with their signed area and the orientation test that the convex hull and the curve code
// build on. Signed areas are positive for counter-clockwise turns in y-up coordinates.
#pragma once

#include "numerics/numeric_defaults.h"
#include "platform/gfx/point.h"

namespace kestrane {

// ((r.y − p.y)(q.x − p.x) − (r.x − p.x)(q.y − p.y)) / 2
double signedArea(const gfx::Point& p, const gfx::Point& q, const gfx::Point& r);

struct Triangle {
    enum class CollinearityState { point, line, clockwiseTurn, counterClockwiseTurn };

    gfx::Point a;
    gfx::Point b;
    gfx::Point c;

    Triangle() = default;
    Triangle(const gfx::Point& a, const gfx::Point& b, const gfx::Point& c) : a(a), b(b), c(c) {}
    static Triangle zero() { return {}; }

    bool overlap(const Triangle& other, double tolerance = OverlapTolerance) const;
    bool isSimilarTo(const Triangle& other, int places = SimilarityPlaces) const;
    double signedArea() const { return kestrane::signedArea(a, b, c); }
    // The three points similar at the places.
    bool isPoint(int places = SimilarityPlaces) const;
    // No area at the places (coinciding points included).
    bool isLine(int places = SimilarityPlaces) const;
    CollinearityState collinearity(int places = SimilarityPlaces) const;

    friend bool operator==(const Triangle&, const Triangle&) = default;
};

Triangle operator+(const Triangle& t);
Triangle operator-(const Triangle& t);
Triangle operator+(const Triangle& t, const Triangle& u);
Triangle operator-(const Triangle& t, const Triangle& u);
Triangle operator+(const Triangle& t, double s);
Triangle operator+(double s, const Triangle& t);
Triangle operator-(const Triangle& t, double s);
Triangle operator-(double s, const Triangle& t);
Triangle operator*(const Triangle& t, double s);
Triangle operator*(double s, const Triangle& t);
Triangle operator/(const Triangle& t, double s);
Triangle& operator+=(Triangle& t, const Triangle& u);
Triangle& operator-=(Triangle& t, const Triangle& u);
Triangle& operator+=(Triangle& t, double s);
Triangle& operator-=(Triangle& t, double s);
Triangle& operator*=(Triangle& t, double s);
Triangle& operator/=(Triangle& t, double s);

}  // namespace kestrane
