// Attributed strings shortened in place to a drawn width with "..." at their start, middle or end, and the
// layer alignment mode of a text alignment.
#pragma once

#include <string>

#include "platform/gfx/attributed_string.h"

namespace kestrane {

// Replaces the whole text; the result keeps the string's attributes.
void replaceAllCharacters(gfx::AttributedString& string, const std::string& text);

// Shortens the text, character by character, until its width is no more than `width`: "..." followed by
// its tail, its head and tail around "...", or its head followed by "...". A text that fits is left as it
// is; when even the shortest form is too wide, the shortest form is kept.
void reduceAtStart(gfx::AttributedString& string, double width);
void reduceAtMiddle(gfx::AttributedString& string, double width);
void reduceAtEnd(gfx::AttributedString& string, double width);

gfx::AttributedString reducingAtStart(const gfx::AttributedString& string, double width);
gfx::AttributedString reducingAtMiddle(const gfx::AttributedString& string, double width);
gfx::AttributedString reducingAtEnd(const gfx::AttributedString& string, double width);

bool isEmpty(const gfx::AttributedString& string);

// The text-layer alignment mode (ui::AlignmentMode) that matches `alignment`.
std::string caalignment(gfx::TextAlignment alignment);

}  // namespace kestrane
