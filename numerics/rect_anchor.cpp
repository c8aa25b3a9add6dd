#include "numerics/rect_anchor.h"

namespace kestrane {

bool isCorner(RectAnchor a) { return rawValue(a) < 4; }
bool isMiddle(RectAnchor a) { return rawValue(a) >= 4; }

bool isLeft(RectAnchor a)
{
    return a == RectAnchor::topLeft || a == RectAnchor::bottomLeft || a == RectAnchor::middleLeft;
}

bool isRight(RectAnchor a)
{
    return a == RectAnchor::topRight || a == RectAnchor::bottomRight || a == RectAnchor::middleRight;
}

bool isTop(RectAnchor a) { return a == RectAnchor::topLeft || a == RectAnchor::topRight || a == RectAnchor::topCenter; }

bool isBottom(RectAnchor a)
{
    return a == RectAnchor::bottomRight || a == RectAnchor::bottomLeft || a == RectAnchor::bottomCenter;
}

RectAnchor opposed(RectAnchor a)
{
    switch (a) {
    case RectAnchor::topLeft:
        return RectAnchor::bottomRight;
    case RectAnchor::bottomRight:
        return RectAnchor::topLeft;
    case RectAnchor::topRight:
        return RectAnchor::bottomLeft;
    case RectAnchor::bottomLeft:
        return RectAnchor::topRight;
    case RectAnchor::middleLeft:
        return RectAnchor::middleRight;
    case RectAnchor::middleRight:
        return RectAnchor::middleLeft;
    case RectAnchor::topCenter:
        return RectAnchor::bottomCenter;
    case RectAnchor::bottomCenter:
        return RectAnchor::topCenter;
    }
    return a;
}

void flipVertical(RectAnchor& a)
{
    switch (a) {
    case RectAnchor::topLeft:
        a = RectAnchor::bottomLeft;
        break;
    case RectAnchor::bottomLeft:
        a = RectAnchor::topLeft;
        break;
    case RectAnchor::topRight:
        a = RectAnchor::bottomRight;
        break;
    case RectAnchor::bottomRight:
        a = RectAnchor::topRight;
        break;
    case RectAnchor::topCenter:
        a = RectAnchor::bottomCenter;
        break;
    case RectAnchor::bottomCenter:
        a = RectAnchor::topCenter;
        break;
    case RectAnchor::middleLeft:
    case RectAnchor::middleRight:
        break;
    }
}

void flipHorizontal(RectAnchor& a)
{
    switch (a) {
    case RectAnchor::topLeft:
        a = RectAnchor::topRight;
        break;
    case RectAnchor::topRight:
        a = RectAnchor::topLeft;
        break;
    case RectAnchor::bottomLeft:
        a = RectAnchor::bottomRight;
        break;
    case RectAnchor::bottomRight:
        a = RectAnchor::bottomLeft;
        break;
    case RectAnchor::middleLeft:
        a = RectAnchor::middleRight;
        break;
    case RectAnchor::middleRight:
        a = RectAnchor::middleLeft;
        break;
    case RectAnchor::topCenter:
    case RectAnchor::bottomCenter:
        break;
    }
}

}  // namespace kestrane
