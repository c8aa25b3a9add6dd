// Members of gfx::Rect (y-up: top is the larger y): constructors, named corner and edge points, anchor-based
// placement and dragging, copies with one component changed, squares, scaling, insets, centring, and
// aspect fitting and filling. "Stored" members read origin and size as they are; the others read the
// rectangle standardised.
#pragma once

#include "numerics/numeric_defaults.h"
#include "numerics/rect_anchor.h"
#include "platform/gfx/affine_transform.h"

namespace kestrane {

namespace Rect {
// At the origin (0, 0).
gfx::Rect ofSize(double width, double height);
gfx::Rect ofSize(const gfx::Size& size);
gfx::Rect square(double side);
// Spanned by two opposite corners, in any order.
gfx::Rect fromPoints(const gfx::Point& p1, const gfx::Point& p2);
gfx::Rect around(const gfx::Point& center, const gfx::Size& size);
// A square of side edgeSize centred on the point.
gfx::Rect around(const gfx::Point& center, double edgeSize);
// Unchecked: right < left or top < bottom give a negative size.
gfx::Rect fromEdges(double left, double right, double bottom, double top);
// The shared page rectangle, (0, 0, 612, 792) until assigned. Not synchronised: assign it before other
// threads read it.
gfx::Rect& PDFPage();
}  // namespace Rect

double x(const gfx::Rect& r);
double y(const gfx::Rect& r);
double xyRatio(const gfx::Rect& r);
double yxRatio(const gfx::Rect& r);
double whRatio(const gfx::Rect& r);
double hwRatio(const gfx::Rect& r);
double xwRatio(const gfx::Rect& r);
double wxRatio(const gfx::Rect& r);
double yhRatio(const gfx::Rect& r);
double hyRatio(const gfx::Rect& r);
// The four stored components, each within the tolerance.
bool overlap(const gfx::Rect& r, const gfx::Rect& other, double tolerance = OverlapTolerance);
// The four stored components, each equal after round(v·10^places).
bool isSimilarTo(const gfx::Rect& r, const gfx::Rect& other, int places = SimilarityPlaces);

gfx::Point center(const gfx::Rect& r);
gfx::Point bottomLeft(const gfx::Rect& r);
gfx::Point bottomCenter(const gfx::Rect& r);
gfx::Point bottomRight(const gfx::Rect& r);
gfx::Point topLeft(const gfx::Rect& r);
gfx::Point topCenter(const gfx::Rect& r);
gfx::Point topRight(const gfx::Rect& r);
gfx::Point middleLeft(const gfx::Rect& r);
gfx::Point middleRight(const gfx::Rect& r);
gfx::Point point(const gfx::Rect& r, RectAnchor anchor);
// A rectangle of the size centred on the anchor's point.
gfx::Rect rect(const gfx::Rect& r, RectAnchor anchor, const gfx::Size& size);
gfx::Rect square(const gfx::Rect& r, RectAnchor anchor, double edgeSize);
// The largest centred square inside.
gfx::Rect innerSquare(const gfx::Rect& r);
// The smallest centred square around.
gfx::Rect outerSquare(const gfx::Rect& r);

gfx::Rect withOrigin(const gfx::Rect& r, const gfx::Point& origin);
gfx::Rect withX(const gfx::Rect& r, double x);
gfx::Rect withY(const gfx::Rect& r, double y);
gfx::Rect withSize(const gfx::Rect& r, const gfx::Size& size);
gfx::Rect withWidth(const gfx::Rect& r, double width);
gfx::Rect withHeight(const gfx::Rect& r, double height);
gfx::Rect addingOrigin(const gfx::Rect& r, const gfx::Point& delta);
gfx::Rect addingX(const gfx::Rect& r, double dx);
gfx::Rect addingY(const gfx::Rect& r, double dy);
gfx::Rect addingSize(const gfx::Rect& r, const gfx::Size& delta);
gfx::Rect addingWidth(const gfx::Rect& r, double dw);
gfx::Rect addingHeight(const gfx::Rect& r, double dh);

void moveBy(gfx::Rect& r, const gfx::Point& delta);
// Drags the anchor to the point, the opposite edges staying put; a drag past an opposite edge flips the
// rectangle. Returns the anchor now at the point, so that a continuing drag moves the right handle.
RectAnchor move(gfx::Rect& r, RectAnchor anchor, const gfx::Point& p);
// Grows the rectangle, axis by axis, until it holds the point.
void expand(gfx::Rect& r, const gfx::Point& p);
void scaleBy(gfx::Rect& r, double s);
void scaleBy(gfx::Rect& r, double sx, double sy);
gfx::Rect scaledBy(const gfx::Rect& r, double s);
gfx::Rect scaledBy(const gfx::Rect& r, double sx, double sy);
// Insets by a fraction of each side's length in total (0.1 removes 10 %); null past the size.
void shrinkByPercent(gfx::Rect& r, double percent);
gfx::Rect shrunkByPercent(const gfx::Rect& r, double percent);
void shrinkByDelta(gfx::Rect& r, double delta);
gfx::Rect shrunkByDelta(const gfx::Rect& r, double delta);
void shrinkBy(gfx::Rect& r, double dx, double dy);
gfx::Rect shrunkBy(const gfx::Rect& r, double dx, double dy);
// Keeps the size, centred in the container.
void center(gfx::Rect& r, const gfx::Rect& container);
gfx::Rect centered(const gfx::Rect& r, const gfx::Rect& container);
// The size aspect-fitted into the container and centred; the own origin is not used.
void fit(gfx::Rect& r, const gfx::Rect& container);
gfx::Rect fitting(const gfx::Rect& r, const gfx::Rect& container);
// The size aspect-filling the container, centred.
void fill(gfx::Rect& r, const gfx::Rect& container);
gfx::Rect filling(const gfx::Rect& r, const gfx::Rect& container);
void apply(gfx::Rect& r, const gfx::AffineTransform& t);

gfx::Rect operator+(const gfx::Rect& r);
// All four stored components negated.
gfx::Rect operator-(const gfx::Rect& r);

}  // namespace kestrane
