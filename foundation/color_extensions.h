// Colours from and to the hexadecimal colour text, named colours and random colours, on the platform's
// colour type (which stands for both kinds of colour object the drawing code knows).
#pragma once

#include <optional>
#include <string>

#include "foundation/color_values.h"
#include "platform/gfx/color.h"

namespace kestrane {

namespace CGColor {

gfx::Color blue();
gfx::Color brown();
gfx::Color cyan();
gfx::Color darkGray();
gfx::Color gray();
gfx::Color green();
gfx::Color lightGray();
gfx::Color magenta();
gfx::Color orange();
gfx::Color purple();
gfx::Color red();
gfx::Color yellow();

// Nullopt when the text does not parse.
std::optional<gfx::Color> create(const std::string& hexString);
gfx::Color create(const RGBA& rgba);
// Red, green and blue each one of 0.00, 0.01, ..., 0.99; alpha 1.
gfx::Color randomColor();

}  // namespace CGColor

namespace NSColor {

// Nullopt when the text does not parse.
std::optional<gfx::Color> fromHexString(const std::string& hexString);

}  // namespace NSColor

// The colour's hexadecimal text ("#FF7F00", or with alpha "#FF7F007F").
std::string hexString(const gfx::Color& color);

}  // namespace kestrane
