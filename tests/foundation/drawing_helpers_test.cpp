#include <gtest/gtest.h>

#include "foundation/drawing_helpers.h"
#include "foundation/text_attributes.h"
#include "foundation/video_aperture.h"

using namespace kestrane;

TEST(DrawingHelpers, BitmapContextsAndTheCurrentContext)
{
    EXPECT_EQ(CGContext::createRGBBitmapContext(0, 10), nullptr);
    const auto context = CGContext::createRGBBitmapContext(10, 10);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->alphaInfo(), gfx::AlphaInfo::premultipliedFirst);
    EXPECT_EQ(CGContext::getCurrentGraphicsContext(), nullptr);
    gfx::ContextScope scope(*context);
    EXPECT_EQ(CGContext::getCurrentGraphicsContext(), context.get());
}

TEST(DrawingHelpers, GradientsFillTheirRectangleAndLeaveTheClip)
{
    const auto gradient = CGGradient::create(gfx::Color::red(), gfx::Color::blue());
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->stops().front().location, 0.0);
    EXPECT_EQ(gradient->stops().back().location, 1.0);

    const auto context = CGContext::createRGBBitmapContext(20, 20);
    drawHorizontalGradient(*context, *gradient, gfx::Rect(0, 0, 10, 5));
    EXPECT_EQ(context->clipBoundingBox(), gfx::Rect(0, 0, 10, 5));
    context->setFillColor(gfx::Color::green());
    context->fillRect(gfx::Rect(0, 0, 20, 20));  // clipped away outside the rectangle
    auto image = context->makeImage();
    EXPECT_EQ(image->pixel(15, 10), 0u);
    EXPECT_EQ(image->pixel(2, 17), gfx::makePixel(255, 0, 255, 0));

    // Vertical: the starting colour at the bottom; saveGStateInBlock drops the clip again.
    const auto vertical = CGContext::createRGBBitmapContext(4, 20);
    saveGStateInBlock(*vertical, [&] { drawVerticalGradient(*vertical, *gradient, gfx::Rect(0, 0, 4, 20)); });
    EXPECT_EQ(vertical->clipBoundingBox(), gfx::Rect(0, 0, 4, 20));
    image = vertical->makeImage();
    EXPECT_GT(gfx::redOf(image->pixel(1, 19)), 230);
    EXPECT_GT(gfx::blueOf(image->pixel(1, 0)), 230);

    // The linear form fills before its start but not after its end.
    const auto linear = CGContext::createRGBBitmapContext(20, 1);
    drawLinearGradient(*linear, *gradient, {5, 0}, {10, 0});
    image = linear->makeImage();
    EXPECT_EQ(image->pixel(0, 0), gfx::makePixel(255, 255, 0, 0));
    EXPECT_EQ(gfx::alphaOf(image->pixel(15, 0)), 0);
}

TEST(DrawingHelpers, RoundedClipsPathsAndColourSpaces)
{
    const auto context = CGContext::createRGBBitmapContext(20, 20);
    clip(*context, gfx::Rect(0, 0, 20, 20), 8);
    context->setFillColor(gfx::Color::red());
    context->fillRect(gfx::Rect(0, 0, 20, 20));
    const auto image = context->makeImage();
    EXPECT_EQ(gfx::alphaOf(image->pixel(0, 0)), 0);  // cut corner
    EXPECT_EQ(image->pixel(10, 10), gfx::makePixel(255, 255, 0, 0));

    moveTo(*context, 1, 1);
    addLineTo(*context, 5, 1);
    addRoundedRec(*context, gfx::Rect(2, 2, 4, 4), 1);
    EXPECT_FALSE(context->isPathEmpty());
    EXPECT_EQ(CGPath::create(gfx::Rect(1, 2, 3, 4)).boundingBox(), gfx::Rect(1, 2, 3, 4));
    EXPECT_EQ(CGPath::create(gfx::Rect(0, 0, 10, 10), 20).elements().front().points.front(), (gfx::Point{5, 0}));
    EXPECT_EQ(CGColorSpace::createDeviceCMYK(), gfx::ColorSpace::deviceCMYK);
}

TEST(DrawingHelpers, TextAttributesHoldOnlyWhatIsPresent)
{
    const CTTextAttributes plain(std::nullopt, 12, std::nullopt, std::nullopt);
    const auto dictionary = plain.dictionary();
    ASSERT_TRUE(dictionary.font);
    EXPECT_EQ(dictionary.font->name(), "Arial");
    EXPECT_EQ(dictionary.font->pointSize(), 12);
    EXPECT_FALSE(dictionary.foregroundColor);
    EXPECT_FALSE(dictionary.paragraphStyle);

    const CTTextAttributes centred("Courier", 9, gfx::Color::red(), gfx::TextAlignment::center);
    EXPECT_EQ(centred.dictionary().paragraphStyle, gfx::ParagraphStyle{gfx::TextAlignment::center});
    EXPECT_EQ(centred.dictionary().foregroundColor, gfx::Color::red());

    // Text whose characters take two UTF-16 units, and combining marks, is drawn.
    const auto context = CGContext::createRGBBitmapContext(120, 40);
    drawString(*context, "e\xCC\x81 \xF0\x9D\x90\x80 ab", gfx::Rect(0, 0, 120, 40), centred.dictionary());
    const auto image = context->makeImage();
    int ink = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            ink += gfx::alphaOf(image->pixel(x, y)) > 0;
    EXPECT_GT(ink, 20);
}

TEST(DrawingHelpers, VideoApertureIsTheWholeCodedPicture)
{
    media::FormatDescription description;
    description.mediaType = media::MediaType::video;
    description.width = 1920;
    description.height = 1080;
    EXPECT_EQ(aperture(description), gfx::Rect(0, 0, 1920, 1080));
    EXPECT_EQ(flippedAperture(description), gfx::Rect(0, 0, 1920, 1080));
}
