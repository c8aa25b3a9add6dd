// The way up of an image and its quarter turns, and the vertical and horizontal flip states. The raw values
// are a stored format: editions archive them.
#pragma once

#include "numerics/raw_value.h"

namespace kestrane {

enum class Orientation { up = 0, down = 1, right = 2, left = 3 };
enum class VerticalOrientation { up = 0, down = 1 };
enum class HorizontalOrientation { left = 0, right = 1 };

template <>
inline constexpr int caseCount<Orientation> = 4;
template <>
inline constexpr int caseCount<VerticalOrientation> = 2;
template <>
inline constexpr int caseCount<HorizontalOrientation> = 2;

// up → left → down → right → up
Orientation left(Orientation o);
// up → right → down → left → up
Orientation right(Orientation o);
void turnLeft(Orientation& o);
void turnRight(Orientation& o);

VerticalOrientation toggled(VerticalOrientation o);
void toggle(VerticalOrientation& o);
HorizontalOrientation toggled(HorizontalOrientation o);
void toggle(HorizontalOrientation& o);

}  // namespace kestrane
