#include "foundation/hex_color_transformer.h"

#include <gtest/gtest.h>

#include "platform/gfx/color.h"

using kestrane::HexNSColorTransformer;

TEST(HexNSColorTransformer, RegistersOnceAndConvertsBothWays)
{
    HexNSColorTransformer::registerIfNeeded();
    const auto transformer = core::ValueTransformer::valueTransformer("HexNSColorTransformer");
    ASSERT_NE(transformer, nullptr);
    HexNSColorTransformer::registerIfNeeded();
    EXPECT_EQ(core::ValueTransformer::valueTransformer("HexNSColorTransformer"), transformer);
    EXPECT_TRUE(transformer->allowsReverseTransformation());

    const auto green = std::any_cast<gfx::Color>(transformer->transformedValue(std::string("#00FF00")));
    EXPECT_EQ(green, gfx::Color::rgb(0, 1, 0, 1));
    EXPECT_EQ(std::any_cast<std::string>(transformer->reverseTransformedValue(green)), "#00FF00");

    EXPECT_EQ(std::any_cast<gfx::Color>(transformer->transformedValue(std::any())), gfx::Color::black());
    EXPECT_FALSE(transformer->transformedValue(std::string("green")).has_value());
    EXPECT_EQ(std::any_cast<std::string>(transformer->reverseTransformedValue(gfx::Color::black())), "#000000");
    EXPECT_EQ(std::any_cast<std::string>(transformer->reverseTransformedValue(std::any(42))), "#000000");
}

TEST(ValueTransformer, RegistryForgetsATransformerSetToNull)
{
    core::ValueTransformer::setValueTransformer(core::make<HexNSColorTransformer>(), "Temporary");
    EXPECT_NE(core::ValueTransformer::valueTransformer("Temporary"), nullptr);
    core::ValueTransformer::setValueTransformer(nullptr, "Temporary");
    EXPECT_EQ(core::ValueTransformer::valueTransformer("Temporary"), nullptr);
}
