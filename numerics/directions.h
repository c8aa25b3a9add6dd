// Compass directions with quarter turns (left is counter-clockwise with north up), and the two clock
// directions.
#pragma once

#include "numerics/raw_value.h"

namespace kestrane {

enum class CardinalDirection { east = 0, west = 1, north = 2, south = 3 };
enum class ClockDirection { clockwise = 0, antiClockwise = 1 };

template <>
inline constexpr int caseCount<CardinalDirection> = 4;
template <>
inline constexpr int caseCount<ClockDirection> = 2;

CardinalDirection left(CardinalDirection d);
CardinalDirection right(CardinalDirection d);
void turnLeft(CardinalDirection& d);
void turnRight(CardinalDirection& d);

ClockDirection toggled(ClockDirection d);
void toggle(ClockDirection& d);

}  // namespace kestrane
