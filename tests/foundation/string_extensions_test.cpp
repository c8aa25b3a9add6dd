#include "foundation/string_extensions.h"

#include <gtest/gtest.h>

#include "platform/core/home_folder.h"

using namespace kestrane;

namespace {
const std::string Letters = "abcdefghijkl";
const std::string Accented = "e\xCC\x81";                     // e + combining acute: one character, three bytes
const std::string Flag = "\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7";  // one character, eight bytes
}  // namespace

TEST(StringExtensions, IncrementedRecognisesOneDigitOnly)
{
    EXPECT_EQ(incremented("Untitled"), "Untitled (1)");
    EXPECT_EQ(incremented("Untitled (1)"), "Untitled (2)");
    EXPECT_EQ(incremented("clip (9)"), "clip (10)");
    EXPECT_EQ(incremented("clip (10)"), "clip (10) (1)");
    EXPECT_EQ(incremented("a (x)"), "a (x) (1)");
    EXPECT_EQ(incremented(" (3)"), " (3) (1)");
    EXPECT_EQ(incremented(""), " (1)");
    EXPECT_EQ(incremented(Accented + " (4)"), Accented + " (5)");
}

TEST(StringExtensions, TrimmingCaseAndTilde)
{
    EXPECT_EQ(trimmed("\t a b \n"), "a b \n");
    EXPECT_EQ(decapitalized("Hello World"), "hello World");
    EXPECT_EQ(decapitalized("\xC3\x89"), "\xC3\xA9");  // É -> é
    EXPECT_EQ(decapitalized(""), "");
    EXPECT_EQ(abreviatedTilde(core::homeDirectory() + "/x"), "~/x");
}

TEST(StringExtensions, OffsetsCountCharactersNotBytes)
{
    const std::string text = "a" + Accented + Flag + "z";  // four characters
    EXPECT_EQ(startIntIndexToStringIndex(text, 0), 0u);
    EXPECT_EQ(startIntIndexToStringIndex(text, 2), 4u);
    EXPECT_EQ(startIntIndexToStringIndex(text, 4), text.size());
    EXPECT_EQ(endIntIndexToStringIndex(text, 0), text.size());
    EXPECT_EQ(endIntIndexToStringIndex(text, 1), 12u);
    EXPECT_EQ(rangeToStringRange(text, {1, 3}), (ByteRange{1, 12}));
    EXPECT_EQ(substringWith(text, {1, 3}), Accented + Flag);
    EXPECT_EQ(substringTo(text, 2), "a" + Accented);
    EXPECT_EQ(substringFrom(text, 3), "z");
    EXPECT_EQ(safeSubstringTo("abc", 100), "abc");
    EXPECT_EQ(safeSubstringFrom("abc", 3), "");
}

TEST(StringExtensions, EditingByCharacterOffset)
{
    std::string text = "a" + Flag + "c";
    insert(text, Accented, 1);
    EXPECT_EQ(text, "a" + Accented + Flag + "c");
    insert(text, "!", 4);
    EXPECT_EQ(text, "a" + Accented + Flag + "c!");
    EXPECT_EQ(removeAt(text, 2), Flag);
    EXPECT_EQ(removeFirstChar(text), "a");
    EXPECT_EQ(removeLastChar(text), "!");
    EXPECT_EQ(text, Accented + "c");
    removeSubrange(text, {0, 1});
    EXPECT_EQ(text, "c");
}

TEST(StringExtensions, OffsetsOutsideTheTextAreClamped)
{
    std::string text = "abc";
    EXPECT_EQ(removeAt(text, 3), "");
    EXPECT_EQ(removeAt(text, -1), "");
    insert(text, "x", 99);
    insert(text, "y", -5);
    EXPECT_EQ(text, "yabcx");
    EXPECT_EQ(substringWith(text, {4, 2}), "");
    EXPECT_EQ(substringTo(text, -1), "");
    EXPECT_EQ(startIntIndexToStringIndex(text, 50), text.size());
    std::string empty;
    EXPECT_EQ(removeFirstChar(empty), "");
    EXPECT_EQ(removeLastChar(empty), "");
    removeSubrange(text, {-3, 100});
    EXPECT_EQ(text, "");
}

TEST(StringExtensions, ShorteningGivesExactlyTheAskedLength)
{
    EXPECT_EQ(reducedStringAtEnd(Letters, 8), "abcde...");
    EXPECT_EQ(reducedStringAtStart(Letters, 8), "...hijkl");
    EXPECT_EQ(reducedStringAtMiddle(Letters, 9), "abc...jkl");
    EXPECT_EQ(reducedStringAtMiddle(Letters, 8), "abc...kl");
    EXPECT_EQ(reducedStringAtMiddle(Letters, 10), "abcd...jkl");
    EXPECT_EQ(reducedStringAtMiddle(Letters, 3), "...");
    EXPECT_EQ(reducedStringAtEnd(Letters, 3), "...");
    EXPECT_EQ(reducedStringAtEnd(Letters, 12), Letters);
    EXPECT_EQ(reducedStringAtStart("ab", 2), "ab");
    EXPECT_EQ(reducedStringAtMiddle(Letters, 2), "ab");
    EXPECT_EQ(reducedStringAtStart(Letters, 1), "l");
    EXPECT_EQ(reducedStringAtEnd(Letters, -4), "");
    EXPECT_EQ(reducedStringAtEnd(Flag + Flag + Flag + Flag + Flag, 4), Flag + "...");
}
