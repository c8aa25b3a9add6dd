#include "platform/core/format.h"

#include <gtest/gtest.h>

#include <QLocale>

using core::format;

TEST(Format, IntegersWithFlagsWidthsAndLengths)
{
    EXPECT_EQ(format("%d|%i|%ld|%lld|%u", 42, -7, 123456789012LL, -5LL, 3u), "42|-7|123456789012|-5|3");
    EXPECT_EQ(format("%5d|%-5d|%05d|%+d|% d", 42, 42, -42, 42, 42), "   42|42   |-0042|+42| 42");
    EXPECT_EQ(format("%x|%X|%02x|%02x|%#x|%o", 255, 255, 7, 0xabc, 255, 8), "ff|FF|07|abc|0xff|10");
    EXPECT_EQ(format("%x|%lx", -1, -1), "ffffffff|ffffffffffffffff");
    EXPECT_EQ(format("%u", -1), "4294967295");
    EXPECT_EQ(format("%.3d", 5), "005");
    EXPECT_EQ(format("%d", INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(format("%c%c", 'A', 0x20AC), "A€");
}

TEST(Format, RealsRoundAsCDoes)
{
    EXPECT_EQ(format("%f", 1.5), "1.500000");
    EXPECT_EQ(format("%.2f|%.2f|%.0f|%.0f|%.0f", 0.125, 0.375, 2.5, 3.5, 0.5), "0.12|0.38|2|4|0");
    EXPECT_EQ(format("%.1f", 0.05), "0.1");  // 0.05 is a little above one half of 0.1
    EXPECT_EQ(format("%06.2f|%-8.3f|%+.1f", 3.14159, 2.0, 1.25), "003.14|2.000   |+1.2");
    EXPECT_EQ(format("%.2f", -0.001), "-0.00");
    EXPECT_EQ(format("%e|%g|%G", 12345.678, 0.0001, 1e20), "1.234568e+04|0.0001|1E+20");
    EXPECT_EQ(format("%f|%5.1f", HUGE_VAL, -HUGE_VAL), "inf| -inf");
}

TEST(Format, ObjectsStringsAndPercent)
{
    EXPECT_EQ(format("%@ and %@", "text", std::string("more")), "text and more");
    EXPECT_EQ(format("%s|%.2s|%5s", "abc", "abc", "ab"), "abc|ab|   ab");
    EXPECT_EQ(format("100%% of %@", core::Value(2.5)), "100% of 2.5");
    EXPECT_EQ(format("%@", core::Value(core::Array{1, "a"})), "(1, a)");
    EXPECT_EQ(format("no specifiers"), "no specifiers");
}

TEST(Format, PositionalArgumentsPickTheirArgument)
{
    EXPECT_EQ(format("%2$@ %1$@", "world", "hello"), "hello world");
    EXPECT_EQ(format("%1$d-%1$d-%2$05.1f", 3, 2.25), "3-3-002.2");
}

TEST(Format, AMismatchedSpecifierFormatsTheArgumentByItsOwnKind)
{
    EXPECT_EQ(format("%d", "text"), "text");
    EXPECT_EQ(format("%d", 2.5), "2.5");
    EXPECT_EQ(format("%f", 3), "3");
    EXPECT_EQ(format("%@ %@", 7, 0.1), "7 0.1");
    EXPECT_EQ(format("%x", "ab"), "ab");
    EXPECT_EQ(format("%s", -4), "-4");
    EXPECT_EQ(format("%5d|", "ab"), "   ab|");
}

TEST(Format, MissingArgumentsAndBadSpecifiersAreHarmless)
{
    EXPECT_EQ(format("a %d b %@ c", 1), "a 1 b  c");
    EXPECT_EQ(format("%5$@", "x"), "");
    EXPECT_EQ(format("50%"), "50%");
    EXPECT_EQ(format("%y %d", 1), "%y 1");
    EXPECT_EQ(format("%*d", 1), "%*d");
}

TEST(Format, LocalizedFormatUsesTheUserLocaleOnlyForNumbers)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(core::localizedFormat("%d Dateien, %.1f s, %x, %@", 1234567, 1234.25, 255, "1.5"),
              "1.234.567 Dateien, 1.234,2 s, ff, 1.5");
    EXPECT_EQ(format("%d, %.1f", 1234567, 1234.25), "1234567, 1234.2");
    QLocale::setDefault(previous);
}
