#include "numerics/directions.h"

namespace kestrane {

CardinalDirection left(CardinalDirection d)
{
    switch (d) {
    case CardinalDirection::east:
        return CardinalDirection::north;
    case CardinalDirection::north:
        return CardinalDirection::west;
    case CardinalDirection::west:
        return CardinalDirection::south;
    case CardinalDirection::south:
        return CardinalDirection::east;
    }
    return d;
}

CardinalDirection right(CardinalDirection d)
{
    switch (d) {
    case CardinalDirection::east:
        return CardinalDirection::south;
    case CardinalDirection::south:
        return CardinalDirection::west;
    case CardinalDirection::west:
        return CardinalDirection::north;
    case CardinalDirection::north:
        return CardinalDirection::east;
    }
    return d;
}

void turnLeft(CardinalDirection& d) { d = left(d); }
void turnRight(CardinalDirection& d) { d = right(d); }

ClockDirection toggled(ClockDirection d)
{
    return d == ClockDirection::clockwise ? ClockDirection::antiClockwise : ClockDirection::clockwise;
}

void toggle(ClockDirection& d) { d = toggled(d); }

}  // namespace kestrane
