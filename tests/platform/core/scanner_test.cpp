#include "platform/core/scanner.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

using core::CharacterSet;
using core::Scanner;

TEST(Scanner, StringsSkipWhitespaceIgnoreCaseAndFailInPlace)
{
    Scanner scanner("  Hello, world");
    std::string text;
    EXPECT_FALSE(scanner.scanString("world", &text));
    EXPECT_EQ(scanner.scanLocation(), 0u);
    EXPECT_TRUE(scanner.scanString("HELLO", &text));
    EXPECT_EQ(text, "Hello");
    EXPECT_EQ(scanner.scanLocation(), 7u);
    EXPECT_TRUE(scanner.scanUpToString("WORLD", &text));
    EXPECT_EQ(text, ", ");
    EXPECT_FALSE(scanner.scanUpToString("world", &text)) << "already in front of it";
    scanner.setCaseSensitive(true);
    EXPECT_FALSE(scanner.scanString("WORLD", nullptr));
    EXPECT_TRUE(scanner.scanString("world", nullptr));
    EXPECT_TRUE(scanner.isAtEnd());
}

TEST(Scanner, CharacterSets)
{
    Scanner scanner("abcab-rest");
    std::string text;
    EXPECT_FALSE(scanner.scanCharactersFromSet(CharacterSet::charactersIn("xyz"), &text));
    EXPECT_TRUE(scanner.scanCharactersFromSet(CharacterSet::charactersIn("ba"), &text));
    EXPECT_EQ(text, "ab");
    EXPECT_TRUE(scanner.scanUpToCharactersFromSet(CharacterSet::charactersIn("-"), &text));
    EXPECT_EQ(text, "cab");
    EXPECT_FALSE(scanner.scanUpToCharactersFromSet(CharacterSet::charactersIn("-"), &text));
    EXPECT_TRUE(scanner.scanUpToCharactersFromSet(CharacterSet::charactersIn("!"), &text));
    EXPECT_EQ(text, "-rest");
}

TEST(Scanner, LocationsCountUtf16Units)
{
    Scanner scanner("\xC3\xA9\xF0\x9F\x98\x80 x");  // é, an emoji outside the basic plane, space, x
    EXPECT_TRUE(scanner.scanUpToString(" ", nullptr));
    EXPECT_EQ(scanner.scanLocation(), 3u);
    scanner.setScanLocation(1000);
    EXPECT_EQ(scanner.scanLocation(), 5u);
    EXPECT_TRUE(scanner.isAtEnd());
}

TEST(Scanner, DecimalNumbers)
{
    Scanner scanner(" -1.5e3 .25 7. 2e 12abc");
    double value = 0;
    EXPECT_TRUE(scanner.scanDouble(&value));
    EXPECT_EQ(value, -1500.0);
    EXPECT_TRUE(scanner.scanDouble(&value));
    EXPECT_EQ(value, 0.25);
    EXPECT_TRUE(scanner.scanDouble(&value));
    EXPECT_EQ(value, 7.0);
    EXPECT_TRUE(scanner.scanDouble(&value));
    EXPECT_EQ(value, 2.0);
    EXPECT_TRUE(scanner.scanString("e", nullptr)) << "an exponent without digits is not read";
    float single = 0;
    EXPECT_TRUE(scanner.scanFloat(&single));
    EXPECT_EQ(single, 12.0f);
    EXPECT_FALSE(scanner.scanDouble(&value));
    EXPECT_FALSE(Scanner("-").scanDouble(&value));
    EXPECT_FALSE(Scanner(".").scanDouble(&value));
    Scanner huge("1e999");
    EXPECT_TRUE(huge.scanDouble(&value));
    EXPECT_TRUE(std::isinf(value));
}

TEST(Scanner, IntegersStopAtFractionsAndClampOnOverflow)
{
    Scanner scanner("90.5 +7 99999999999999999999 -99999999999999999999");
    std::int64_t value = 0;
    EXPECT_TRUE(scanner.scanInteger(&value));
    EXPECT_EQ(value, 90);
    EXPECT_FALSE(scanner.scanInteger(&value));
    EXPECT_TRUE(scanner.scanString(".5", nullptr));
    EXPECT_TRUE(scanner.scanLongLong(&value));
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(scanner.scanInteger(&value));
    EXPECT_EQ(value, std::numeric_limits<std::int64_t>::max());
    EXPECT_TRUE(scanner.scanInteger(&value));
    EXPECT_EQ(value, std::numeric_limits<std::int64_t>::min());

    std::int32_t small = 0;
    Scanner ints("3000000000 -3000000000 -2147483648");
    EXPECT_TRUE(ints.scanInt(&small));
    EXPECT_EQ(small, std::numeric_limits<std::int32_t>::max());
    EXPECT_TRUE(ints.scanInt(&small));
    EXPECT_EQ(small, std::numeric_limits<std::int32_t>::min());
    EXPECT_TRUE(ints.scanInt(&small));
    EXPECT_EQ(small, std::numeric_limits<std::int32_t>::min());

    std::uint64_t unsignedValue = 0;
    Scanner unsignedScanner("18446744073709551615 18446744073709551616 -1");
    EXPECT_TRUE(unsignedScanner.scanUnsignedLongLong(&unsignedValue));
    EXPECT_EQ(unsignedValue, std::numeric_limits<std::uint64_t>::max());
    EXPECT_TRUE(unsignedScanner.scanUnsignedLongLong(&unsignedValue));
    EXPECT_EQ(unsignedValue, std::numeric_limits<std::uint64_t>::max());
    EXPECT_FALSE(unsignedScanner.scanUnsignedLongLong(&unsignedValue));
}

TEST(Scanner, HexadecimalNumbers)
{
    Scanner scanner("0xFF ff 0x1FFFFFFFF 0xg 0x1.8p1 -0X.8");
    std::uint32_t value = 0;
    EXPECT_TRUE(scanner.scanHexInt(&value));
    EXPECT_EQ(value, 255u);
    EXPECT_TRUE(scanner.scanHexInt(&value));
    EXPECT_EQ(value, 255u);
    EXPECT_TRUE(scanner.scanHexInt(&value));
    EXPECT_EQ(value, std::numeric_limits<std::uint32_t>::max());
    EXPECT_TRUE(scanner.scanHexInt(&value)) << "the 0 of 0xg";
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(scanner.scanString("xg", nullptr));
    double real = 0;
    EXPECT_TRUE(scanner.scanHexDouble(&real));
    EXPECT_EQ(real, 3.0);
    float single = 0;
    EXPECT_TRUE(scanner.scanHexFloat(&single));
    EXPECT_EQ(single, -0.5f);
    std::uint64_t wide = 0;
    EXPECT_TRUE(Scanner("0x1FFFFFFFF").scanHexLongLong(&wide));
    EXPECT_EQ(wide, 0x1FFFFFFFFull);
    EXPECT_FALSE(Scanner("12").scanHexDouble(&real)) << "a hexadecimal real needs its 0x";
}

TEST(Scanner, SkippingCanBeTurnedOff)
{
    Scanner scanner(" 1");
    scanner.setCharactersToBeSkipped(std::nullopt);
    std::int64_t value = 0;
    EXPECT_FALSE(scanner.scanInteger(&value));
    EXPECT_FALSE(scanner.isAtEnd());
    scanner.setCharactersToBeSkipped(CharacterSet::whitespaces());
    EXPECT_TRUE(scanner.scanInteger(&value));
    EXPECT_EQ(value, 1);
}

TEST(Scanner, RandomBytesNeverTrapIt)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random() % 256);
        bytes += round % 2 ? "0x" : "1e";
        Scanner scanner(bytes);
        for (int step = 0; step < 100 && !scanner.isAtEnd(); ++step) {
            const std::size_t before = scanner.scanLocation();
            double real = 0;
            std::int64_t integer = 0;
            std::uint32_t hex = 0;
            std::string text;
            const bool moved = scanner.scanDouble(&real) || scanner.scanInteger(&integer) || scanner.scanHexInt(&hex) ||
                               scanner.scanHexDouble(&real) ||
                               scanner.scanUpToCharactersFromSet(CharacterSet::whitespaces(), &text);
            ASSERT_TRUE(moved) << "some scan must take what is left";
            ASSERT_GT(scanner.scanLocation(), before);
        }
        EXPECT_TRUE(scanner.isAtEnd());
    }
}
