// The eight handle points of a rectangle: the corners clockwise from the top left (raw values 0-3), then
// the edge midpoints left, top, right, bottom (4-7). Top is the larger y.
#pragma once

#include <array>

#include "numerics/raw_value.h"

namespace kestrane {

enum class RectAnchor {
    topLeft = 0,
    topRight = 1,
    bottomRight = 2,
    bottomLeft = 3,
    middleLeft = 4,
    topCenter = 5,
    middleRight = 6,
    bottomCenter = 7
};

template <>
inline constexpr int caseCount<RectAnchor> = 8;

namespace RectAnchors {
inline constexpr std::array<RectAnchor, 8> allValues{
    RectAnchor::topLeft,    RectAnchor::topRight,  RectAnchor::bottomRight, RectAnchor::bottomLeft,
    RectAnchor::middleLeft, RectAnchor::topCenter, RectAnchor::middleRight, RectAnchor::bottomCenter};
inline constexpr std::array<RectAnchor, 4> allCorners{RectAnchor::topLeft, RectAnchor::topRight,
                                                      RectAnchor::bottomRight, RectAnchor::bottomLeft};
inline constexpr std::array<RectAnchor, 4> allMiddle{RectAnchor::middleLeft, RectAnchor::topCenter,
                                                     RectAnchor::middleRight, RectAnchor::bottomCenter};
}  // namespace RectAnchors

bool isCorner(RectAnchor a);
bool isMiddle(RectAnchor a);
bool isLeft(RectAnchor a);
bool isRight(RectAnchor a);
bool isTop(RectAnchor a);
bool isBottom(RectAnchor a);
// The anchor across the centre.
RectAnchor opposed(RectAnchor a);
// Top and bottom swapped; the middle of the left and right edges stay.
void flipVertical(RectAnchor& a);
// Left and right swapped; the middle of the top and bottom edges stay.
void flipHorizontal(RectAnchor& a);

}  // namespace kestrane
