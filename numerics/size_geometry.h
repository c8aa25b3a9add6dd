// Members and arithmetic of gfx::Size: comparisons, ratios, squares, rounding, clamping, scaling and the
// aspect fit and fill that bound every grabbed frame. The operators live in kestrane: code outside it
// brings them in with `using namespace kestrane;`.
#pragma once

#include <cstdint>
#include <string>

#include "numerics/numeric_defaults.h"
#include "platform/gfx/affine_transform.h"

namespace kestrane {

namespace Size {
// (v, v)
gfx::Size square(double v);
// The shared page size, a letter page (612, 792) until assigned. Not synchronised: assign it before
// other threads read it.
gfx::Size& PDFPage();
}  // namespace Size

bool overlap(const gfx::Size& s, const gfx::Size& other, double tolerance = OverlapTolerance);
bool isSimilarTo(const gfx::Size& s, const gfx::Size& other, int places = SimilarityPlaces);
// At the origin (0, 0).
gfx::Rect rect(const gfx::Size& s);
gfx::Point center(const gfx::Size& s);
gfx::Point point(const gfx::Size& s);
// Width and height swapped.
gfx::Size invertedSize(const gfx::Size& s);
double whRatio(const gfx::Size& s);
double hwRatio(const gfx::Size& s);
double min(const gfx::Size& s);
double max(const gfx::Size& s);
double area(const gfx::Size& s);
gfx::Size innerSquare(const gfx::Size& s);
gfx::Size outerSquare(const gfx::Size& s);
gfx::Size withWidth(const gfx::Size& s, double width);
gfx::Size withHeight(const gfx::Size& s, double height);
gfx::Size addingWidth(const gfx::Size& s, double dw);
gfx::Size addingHeight(const gfx::Size& s, double dh);
// Halves away from zero.
void round(gfx::Size& s);
gfx::Size rounded(const gfx::Size& s);
void round(gfx::Size& s, int places);
gfx::Size rounded(const gfx::Size& s, int places);
// Rounded, through a 64-bit integer; needs finite sides that fit.
gfx::Size roundedInt(const gfx::Size& s);
// "1920 x 1080"
std::string roundIntDesc(const gfx::Size& s);
gfx::Size abs(const gfx::Size& s);
gfx::Size floor(const gfx::Size& s);
gfx::Size ceil(const gfx::Size& s);
// The longer side brought down to maxSide, keeping the aspect; the result is then non-negative.
void clamp(gfx::Size& s, double maxSide);
gfx::Size clamping(const gfx::Size& s, double maxSide);
// Scaled down, never up, to fit within the maximum, keeping the aspect.
void clamp(gfx::Size& s, const gfx::Size& maximum);
gfx::Size clamping(const gfx::Size& s, const gfx::Size& maximum);
void scaleToHeight(gfx::Size& s, double height);
gfx::Size scalingToHeight(const gfx::Size& s, double height);
void scaleToWidth(gfx::Size& s, double width);
gfx::Size scalingToWidth(const gfx::Size& s, double width);
// Aspect fit into the target size.
void fit(gfx::Size& s, const gfx::Size& target);
gfx::Size fitting(const gfx::Size& s, const gfx::Size& target);
// The aspect-fit rectangle inside the rect, centred.
gfx::Rect fitting(const gfx::Size& s, const gfx::Rect& rect);
// The aspect-fill rectangle over the rect, centred (it overhangs on two sides).
gfx::Rect filling(const gfx::Size& s, const gfx::Rect& rect);
// A rectangle of this size centred in the rect.
gfx::Rect centered(const gfx::Size& s, const gfx::Rect& rect);
void apply(gfx::Size& s, const gfx::AffineTransform& t);

gfx::Size operator+(const gfx::Size& s);
gfx::Size operator-(const gfx::Size& s);
gfx::Size operator+(const gfx::Size& s, const gfx::Size& t);
gfx::Size operator-(const gfx::Size& s, const gfx::Size& t);
gfx::Size operator+(const gfx::Size& s, double k);
gfx::Size operator+(double k, const gfx::Size& s);
gfx::Size operator-(const gfx::Size& s, double k);
gfx::Size operator-(double k, const gfx::Size& s);
gfx::Size operator*(const gfx::Size& s, double k);
gfx::Size operator*(double k, const gfx::Size& s);
gfx::Size operator/(const gfx::Size& s, double k);
gfx::Size& operator+=(gfx::Size& s, const gfx::Size& t);
gfx::Size& operator-=(gfx::Size& s, const gfx::Size& t);
gfx::Size& operator+=(gfx::Size& s, double k);
gfx::Size& operator-=(gfx::Size& s, double k);
gfx::Size& operator*=(gfx::Size& s, double k);
gfx::Size& operator/=(gfx::Size& s, double k);

}  // namespace kestrane
