// A colour in the device RGB space: red, green, blue and alpha from 0 to 1, straight (not premultiplied).
// A value type; named colours carry the components the drawing code has always used.
#pragma once

#include "platform/gfx/image.h"

namespace gfx {

struct Color {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 1;

    static Color rgb(double r, double g, double b, double a = 1.0) { return {r, g, b, a}; }
    static Color gray(double white, double a = 1.0) { return {white, white, white, a}; }

    static Color black() { return gray(0); }
    static Color white() { return gray(1); }
    static Color clear() { return {0, 0, 0, 0}; }
    static Color darkGray() { return gray(1.0 / 3.0); }
    static Color gray() { return gray(0.5); }
    static Color lightGray() { return gray(2.0 / 3.0); }
    static Color red() { return rgb(1, 0, 0); }
    static Color green() { return rgb(0, 1, 0); }
    static Color blue() { return rgb(0, 0, 1); }
    static Color cyan() { return rgb(0, 1, 1); }
    static Color magenta() { return rgb(1, 0, 1); }
    static Color yellow() { return rgb(1, 1, 0); }
    static Color orange() { return rgb(1, 0.5, 0); }
    static Color brown() { return rgb(0.6, 0.4, 0.2); }
    static Color purple() { return rgb(0.5, 0, 0.5); }

    friend bool operator==(const Color&, const Color&) = default;
};

// The colour as a premultiplied pixel word, each component clamped to 0...1 and rounded (NaN reads as 0).
Pixel premultipliedPixel(const Color& color);
// The straight colour of a premultiplied pixel word.
Color colorOfPixel(Pixel pixel);

}  // namespace gfx
