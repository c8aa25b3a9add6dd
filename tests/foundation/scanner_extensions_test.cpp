#include "foundation/scanner_extensions.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace kestrane;

TEST(ScannerExtensions, WrappersGiveTheValueOrNothing)
{
    core::Scanner scanner("word 12 -3 -3.5 0x1F tail");
    EXPECT_EQ(scanString(scanner, "WORD"), "word");
    EXPECT_FALSE(scanString(scanner, "word"));
    EXPECT_EQ(scanInteger(scanner), 12);
    EXPECT_EQ(scanInt(scanner), -3);
    EXPECT_EQ(scanDouble(scanner), -3.5);
    EXPECT_EQ(scanHexInt(scanner), 0x1Fu);
    EXPECT_FALSE(scanDouble(scanner));
    EXPECT_EQ(scanUpToString(scanner, "l"), "tai");
    EXPECT_EQ(scanCharactersFromSet(scanner, core::CharacterSet::charactersIn("l")), "l");
    EXPECT_TRUE(scanner.isAtEnd());
}

TEST(ScannerExtensions, ScanCGFloatLeavesTheValueAloneOnFailure)
{
    core::Scanner scanner("2.5 x");
    double value = 7;
    EXPECT_TRUE(scanCGFloat(scanner, value));
    EXPECT_EQ(value, 2.5);
    EXPECT_FALSE(scanCGFloat(scanner, value));
    EXPECT_EQ(value, 2.5);
}

TEST(ScannerExtensions, PercentageRestoresTheScannerOnFailure)
{
    core::Scanner scanner(" 50 % 7.5%");
    scanner.setCharactersToBeSkipped(std::nullopt);
    EXPECT_EQ(scanPercentage(scanner), 50.0);
    EXPECT_FALSE(scanner.charactersToBeSkipped()) << "the skip set comes back as it was";
    const std::size_t location = scanner.scanLocation();
    EXPECT_FALSE(scanPercentage(scanner));
    EXPECT_EQ(scanner.scanLocation(), location);
    EXPECT_FALSE(scanner.charactersToBeSkipped());
}

TEST(ScannerExtensions, AnglesInDegreesAreWholeAndReduced)
{
    core::Scanner right("  90 deg");
    const auto quarter = scanAngleInDeg(right);
    ASSERT_TRUE(quarter);
    EXPECT_DOUBLE_EQ(quarter->radians(), M_PI / 2);
    EXPECT_TRUE(right.isAtEnd());

    core::Scanner negative("-90deg");
    const auto threeQuarters = scanAngleInDeg(negative);
    ASSERT_TRUE(threeQuarters);
    EXPECT_DOUBLE_EQ(threeQuarters->radians(), 3 * M_PI / 2);

    core::Scanner fraction("90.5 deg");
    EXPECT_FALSE(scanAngleInDeg(fraction));
    EXPECT_EQ(fraction.scanLocation(), 0u);
}

TEST(ScannerExtensions, AnglesInRadians)
{
    core::Scanner scanner("7.5 rad, -1rad");
    const auto first = scanAngleInRad(scanner);
    ASSERT_TRUE(first);
    EXPECT_DOUBLE_EQ(first->radians(), 7.5 - 2 * M_PI);
    EXPECT_TRUE(scanString(scanner, ","));
    const auto second = scanAngleInRad(scanner);
    ASSERT_TRUE(second);
    EXPECT_DOUBLE_EQ(second->radians(), 2 * M_PI - 1);
    core::Scanner degrees("1 deg");
    EXPECT_FALSE(scanAngleInRad(degrees));
    EXPECT_EQ(degrees.scanLocation(), 0u);
}

TEST(ScannerExtensions, IntervalsKeepTheirOrderAndNeedTheComma)
{
    core::Scanner scanner("[3, 1]");
    const auto interval = scanInterval(scanner);
    ASSERT_TRUE(interval);
    EXPECT_EQ(interval->min, 3.0);
    EXPECT_EQ(interval->max, 1.0);

    core::Scanner missingComma("  [3 1]");
    missingComma.setCharactersToBeSkipped(core::CharacterSet::charactersIn("#"));
    EXPECT_FALSE(scanInterval(missingComma));
    EXPECT_EQ(missingComma.scanLocation(), 0u);
    ASSERT_TRUE(missingComma.charactersToBeSkipped());
    EXPECT_TRUE(missingComma.charactersToBeSkipped()->contains(U'#'));
    EXPECT_FALSE(missingComma.charactersToBeSkipped()->contains(U' '));
}
