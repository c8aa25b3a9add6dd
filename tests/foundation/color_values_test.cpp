#include <cmath>

#include <gtest/gtest.h>

#include "foundation/color_extensions.h"
#include "foundation/color_values.h"

using namespace kestrane;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const std::string lengthLine = "Invalid hex string, number of chars after '#' should be either 3, 4, 6 or 8\n";

}  // namespace

TEST(ColorValues, HexTextParsesEveryForm)
{
    EXPECT_EQ(RGBA::fromHexString("#FFF"), RGBA::white);
    EXPECT_EQ(RGBA::fromHexString("#F00F"), RGBA(1, 0, 0, 1));
    EXPECT_EQ(RGBA::fromHexString("#FF000080"), RGBA(1, 0, 0, 128.0 / 255.0));
    EXPECT_EQ(RGBA::fromHexString("#0x00ff00"), RGBA(0, 1, 0));
    // Only the digits read count: surrounding white space does not turn "#FFF" into another form.
    EXPECT_EQ(RGBA::fromHexString("  #FFF "), RGBA::white);

    CaptureStdout();
    EXPECT_EQ(RGBA::fromHexString("FFF"), std::nullopt);
    EXPECT_EQ(RGBA::fromHexString("#"), std::nullopt);
    EXPECT_EQ(RGBA::fromHexString("#xyz"), std::nullopt);
    EXPECT_EQ(GetCapturedStdout(), "");

    CaptureStdout();
    EXPECT_EQ(RGBA::fromHexString("#12345"), std::nullopt);
    EXPECT_EQ(RGBA::fromHexString("#12345G"), std::nullopt);
    EXPECT_EQ(RGBA::fromHexString("#123456789"), std::nullopt);
    EXPECT_EQ(GetCapturedStdout(), lengthLine + lengthLine + lengthLine);
}

TEST(ColorValues, HexTextFormatsClampedUpperCase)
{
    EXPECT_EQ(RGBA(1, 0.5, 0).hexString(), "#FF7F00");
    EXPECT_EQ(RGBA(1, 0.5, 0, 0.5).hexString(), "#FF7F007F");
    EXPECT_EQ(RGBA(1.5, -0.2, std::nan("")).hexString(), "#FF0000");
    const auto back = RGBA::fromHexString(RGBA(2, 0.25, 0.75, 0.2).hexString());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->r, 1.0);
}

TEST(ColorValues, ConstantsDescriptionsAndEquality)
{
    EXPECT_EQ(RGBA(0, 0.5, 1), RGBA(0, 0.5, 1, 1));
    EXPECT_EQ(RGBA(0, 0.5, 1).description(), "RGBA(0.0, 0.5, 1.0, 1.0)");
    EXPECT_EQ(RGBA::white.description(), "RGBA(1.0, 1.0, 1.0, 1.0)");
    const RGBA odd(0, 0, 0, std::nan(""));
    EXPECT_FALSE(odd == odd);
    // Declared red, blue, green, alpha; built from red, green, blue, alpha.
    const RGBA c(0.1, 0.2, 0.3);
    EXPECT_EQ(c.g, 0.2);
    EXPECT_EQ(c.b, 0.3);
    EXPECT_EQ(CMYKA::clear.k, 1.0);
    EXPECT_EQ(CMYKA::clear.a, 0.0);
    EXPECT_EQ(CMYKA::zero, CMYKA(0, 0, 0, 0, 0));
    EXPECT_EQ(HSLA::white.l, 1.0);
    EXPECT_EQ(HSBA::clear, HSBA::zero);
    EXPECT_EQ(CMYKA::black.description(), "CMYKA(0.0, 0.0, 0.0, 1.0, 1.0)");
    EXPECT_EQ(HSBA(0.25, 1e-20, 1).description(), "HSBA(0.25, 1e-20, 1.0, 1.0)");
}

TEST(ColorValues, PlatformColoursFromAndToHexText)
{
    EXPECT_EQ(CGColor::create("#00FF00"), gfx::Color::green());
    EXPECT_EQ(CGColor::create("#00FF0"), std::nullopt);
    EXPECT_EQ(hexString(*NSColor::fromHexString("#00FF00")), "#00FF00");
    EXPECT_EQ(hexString(gfx::Color::black()), "#000000");
    EXPECT_EQ(CGColor::orange(), gfx::Color::rgb(1, 0.5, 0));
    EXPECT_EQ(CGColor::darkGray().r, 1.0 / 3.0);
    for (int i = 0; i < 20; ++i) {
        const auto c = CGColor::randomColor();
        EXPECT_EQ(c.a, 1.0);
        EXPECT_LE(c.r, 0.99);
        EXPECT_NEAR(std::round(c.g * 100), c.g * 100, 1e-9);
    }
}
