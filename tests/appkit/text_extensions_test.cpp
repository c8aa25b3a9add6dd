// Attributed strings shorten to a width by whole characters, keeping the text when it fits.
#include <gtest/gtest.h>

#include "appkit/text_extensions.h"

namespace {

// A text of equal-width characters, and the width that `count` of them take.
gfx::AttributedString monospaced(const std::string& text)
{
    return gfx::AttributedString(text, {gfx::Font::withName("Monospace", 12), gfx::Color::red(), {}});
}

double widthOf(std::size_t count) { return monospaced(std::string(count, 'x')).size().width; }

TEST(ReduceAttributedString, CutsAtTheEndStartAndMiddle)
{
    const double six = widthOf(6) + 0.1;
    EXPECT_EQ(kestrane::reducingAtEnd(monospaced("abcdefgh"), six).text(), "abc...");
    EXPECT_EQ(kestrane::reducingAtStart(monospaced("abcdefgh"), six).text(), "...fgh");
    EXPECT_EQ(kestrane::reducingAtMiddle(monospaced("abcdefgh"), widthOf(7) + 0.1).text(), "ab...gh");
}

TEST(ReduceAttributedString, LeavesAFittingTextAndItsAttributesAlone)
{
    auto string = monospaced("abcdefgh");
    const auto before = string;
    kestrane::reduceAtEnd(string, widthOf(8) + 0.1);
    EXPECT_EQ(string, before);
    auto cut = kestrane::reducingAtEnd(before, widthOf(5));
    EXPECT_EQ(cut.attributes(), before.attributes());
    EXPECT_EQ(before.text(), "abcdefgh");  // the copying form leaves its source alone
}

TEST(ReduceAttributedString, CountsACombinedCharacterAsOne)
{
    // "é" written as e and a combining accent: cutting never splits it from its accent.
    auto string = monospaced("e\xCC\x81"
                             "bcdefghij");
    kestrane::reduceAtStart(string, widthOf(5) + 0.1);
    EXPECT_EQ(string.text(), "...ij");
    auto head = monospaced("ab"
                           "e\xCC\x81"
                           "defghij");
    kestrane::reduceAtEnd(head, widthOf(6) + 0.1);
    EXPECT_EQ(head.text(), "ab"
                           "e\xCC\x81"
                           "...");
}

TEST(ReduceAttributedString, KeepsTheShortestFormWhenNothingFits)
{
    auto string = monospaced("abcdefgh");
    kestrane::reduceAtEnd(string, 1);
    EXPECT_EQ(string.text(), "...");
    auto middle = monospaced("abcdefgh");
    kestrane::reduceAtMiddle(middle, 1);
    EXPECT_EQ(middle.text(), "...");
}

TEST(TextAlignment, NamesTheLayerAlignmentMode)
{
    EXPECT_EQ(kestrane::caalignment(gfx::TextAlignment::center), "center");
    EXPECT_EQ(kestrane::caalignment(gfx::TextAlignment::right), "right");
    EXPECT_EQ(kestrane::caalignment(gfx::TextAlignment::left), "left");
    EXPECT_EQ(kestrane::caalignment(gfx::TextAlignment::natural), "natural");
}

}  // namespace
