// Members and arithmetic of gfx::Point used as a point and as a 2-D vector: comparisons, distances,
// ratios, rounding and rescaling. The operators live in kestrane: code outside it brings them in with
// `using namespace kestrane;`.
#pragma once

#include "numerics/numeric_defaults.h"
#include "platform/gfx/point.h"
#include "platform/gfx/size.h"

namespace kestrane {

namespace Point {
// (v, v)
gfx::Point square(double v);
}  // namespace Point

// Each coordinate within the tolerance, inclusive.
bool overlap(const gfx::Point& p, const gfx::Point& q, double tolerance = OverlapTolerance);
// Each coordinate equal after round(v·10^places).
bool isSimilarTo(const gfx::Point& p, const gfx::Point& q, int places = SimilarityPlaces);
double distanceFromPoint(const gfx::Point& p, const gfx::Point& q);
double dotMult(const gfx::Point& p, const gfx::Point& q);
// Half the vector, (x/2, y/2): the midpoint between the origin and the point.
gfx::Point middle(const gfx::Point& p);
double length(const gfx::Point& p);
double xyRatio(const gfx::Point& p);
double yxRatio(const gfx::Point& p);
double min(const gfx::Point& p);
double max(const gfx::Point& p);
gfx::Point withZeroX(const gfx::Point& p);
gfx::Point withZeroY(const gfx::Point& p);
gfx::Point withX(const gfx::Point& p, double x);
gfx::Point withY(const gfx::Point& p, double y);
gfx::Point byAddingX(const gfx::Point& p, double dx);
gfx::Point byAddingY(const gfx::Point& p, double dy);
gfx::Point abs(const gfx::Point& p);
void absInPlace(gfx::Point& p);
gfx::Point floor(const gfx::Point& p);
void floorInPlace(gfx::Point& p);
gfx::Point ceil(const gfx::Point& p);
void ceilInPlace(gfx::Point& p);
// Halves away from zero.
gfx::Point round(const gfx::Point& p);
void roundInPlace(gfx::Point& p);
gfx::Point round(const gfx::Point& p, int places);
void roundInPlace(gfx::Point& p, int places);
// The vector rescaled to the length; the zero vector comes back unchanged.
gfx::Point unitScale(const gfx::Point& p, double length = 1);
gfx::Size size(const gfx::Point& p);
// (y, x)
gfx::Point invertedPoint(const gfx::Point& p);

gfx::Point operator+(const gfx::Point& p);
gfx::Point operator-(const gfx::Point& p);
gfx::Point operator+(const gfx::Point& p, const gfx::Point& q);
gfx::Point operator-(const gfx::Point& p, const gfx::Point& q);
gfx::Point operator+(const gfx::Point& p, double s);
gfx::Point operator+(double s, const gfx::Point& p);
gfx::Point operator-(const gfx::Point& p, double s);
gfx::Point operator-(double s, const gfx::Point& p);
gfx::Point operator*(const gfx::Point& p, double s);
gfx::Point operator*(double s, const gfx::Point& p);
gfx::Point operator/(const gfx::Point& p, double s);
gfx::Point& operator+=(gfx::Point& p, const gfx::Point& q);
gfx::Point& operator-=(gfx::Point& p, const gfx::Point& q);
gfx::Point& operator+=(gfx::Point& p, double s);
gfx::Point& operator-=(gfx::Point& p, double s);
gfx::Point& operator*=(gfx::Point& p, double s);
gfx::Point& operator/=(gfx::Point& p, double s);

}  // namespace kestrane
