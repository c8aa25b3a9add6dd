// A width and a height, in points. Nothing keeps them positive.
#pragma once

namespace gfx {

struct Size {
    double width = 0;
    double height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

}  // namespace gfx
