#include "foundation/scanner_extensions.h"

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
