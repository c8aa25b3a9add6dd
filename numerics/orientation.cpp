#include "numerics/orientation.h"

namespace kestrane {

Orientation left(Orientation o)
{
    switch (o) {
    case Orientation::up:
        return Orientation::left;
    case Orientation::left:
        return Orientation::down;
    case Orientation::down:
        return Orientation::right;
    case Orientation::right:
        return Orientation::up;
    }
    return o;
}

Orientation right(Orientation o)
{
    switch (o) {
    case Orientation::up:
        return Orientation::right;
    case Orientation::right:
        return Orientation::down;
    case Orientation::down:
        return Orientation::left;
    case Orientation::left:
        return Orientation::up;
    }
    return o;
}

void turnLeft(Orientation& o) { o = left(o); }
void turnRight(Orientation& o) { o = right(o); }

VerticalOrientation toggled(VerticalOrientation o)
{
    return o == VerticalOrientation::up ? VerticalOrientation::down : VerticalOrientation::up;
}

void toggle(VerticalOrientation& o) { o = toggled(o); }

HorizontalOrientation toggled(HorizontalOrientation o)
{
    return o == HorizontalOrientation::left ? HorizontalOrientation::right : HorizontalOrientation::left;
}

void toggle(HorizontalOrientation& o) { o = toggled(o); }

}  // namespace kestrane
