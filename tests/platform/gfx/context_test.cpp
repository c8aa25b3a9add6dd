#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "platform/gfx/attributed_string.h"
#include "platform/gfx/bitmap_context.h"
#include "platform/gfx/gradient.h"
#include "platform/gfx/pattern.h"
#include "tests/platform/gfx/test_images.h"

using namespace gfx;
using gfxtest::markerPixel;

namespace {

constexpr Pixel red = makePixel(255, 255, 0, 0);

std::shared_ptr<BitmapContext> bitmap(int width, int height)
{
    auto context = BitmapContext::create(width, height, AlphaInfo::premultipliedFirst);
    EXPECT_NE(context, nullptr);
    return context;
}

// Rows of the image (from the top) that hold any ink.
std::vector<int> inkPerRow(const Image& image)
{
    std::vector<int> counts;
    for (int y = 0; y < image.height(); ++y) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            count += alphaOf(image.pixel(x, y)) > 128;
        counts.push_back(count);
    }
    return counts;
}

}  // namespace

TEST(Context, YUpPlacesFillsAtTheBottomAndImagesUpright)
{
    auto context = bitmap(4, 3);
    EXPECT_EQ(context->makeImage()->pixel(2, 2), 0u);  // starts transparent black
    context->setFillColor(Color::red());
    context->fillRect(Rect(0, 0, 1, 1));
    const auto filled = context->makeImage();
    EXPECT_EQ(filled->pixel(0, 2), red);
    EXPECT_EQ(filled->pixel(0, 0), 0u);

    const auto scene = gfxtest::sceneWithMarker(4, 3, 0, 0);
    auto upright = bitmap(4, 3);
    upright->drawImage(scene, Rect(0, 0, 4, 3));
    const auto drawn = upright->makeImage();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(drawn->pixel(x, y), scene->pixel(x, y));
}

TEST(Context, QuarterTurnsAndFlipsCopyPixelsExactly)
{
    const auto scene = gfxtest::sceneWithMarker(4, 2, 0, 0);
    // A quarter turn counter-clockwise: (x, y) -> (-y, x), moved back into the 2 x 4 bitmap.
    auto turned = bitmap(2, 4);
    turned->translateBy(2, 0);
    turned->rotate(std::numbers::pi / 2);
    turned->drawImage(scene, Rect(0, 0, 4, 2));
    const auto result = turned->makeImage();
    for (int v = 0; v < 2; ++v)
        for (int u = 0; u < 4; ++u)
            EXPECT_EQ(result->pixel(v, 3 - u), scene->pixel(u, v)) << u << "," << v;
    EXPECT_EQ(result->pixel(0, 3), markerPixel);

    auto flipped = bitmap(4, 2);
    flipped->concat({-1, 0, 0, 1, 4, 0});
    flipped->drawImage(scene, Rect(0, 0, 4, 2));
    EXPECT_EQ(flipped->makeImage()->pixel(3, 0), markerPixel);
}

TEST(Context, LinearGradientsStartAtTheBottomAndStopAtTheirEnds)
{
    const auto gradient = Gradient::create({Color::red(), Color::blue()});
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->stops().back().location, 1.0);
    EXPECT_EQ(Gradient::create({Color::red()}, {0.1, 0.2}), nullptr);

    auto context = bitmap(4, 20);
    context->drawLinearGradient(*gradient, {0, 0}, {0, 10});
    auto image = context->makeImage();
    EXPECT_GT(redOf(image->pixel(1, 19)), 230);   // bottom row: the start colour
    EXPECT_GT(blueOf(image->pixel(1, 10)), 200);  // just below the end: nearly the end colour
    EXPECT_EQ(alphaOf(image->pixel(1, 5)), 0);    // after the end: nothing

    context->drawLinearGradient(*gradient, {0, 0}, {0, 10}, {.drawsAfterEnd = true});
    EXPECT_EQ(context->makeImage()->pixel(1, 0), makePixel(255, 0, 0, 255));

    auto radial = bitmap(21, 21);
    radial->drawRadialGradient(*gradient, {10.5, 10.5}, 0, {10.5, 10.5}, 8);
    image = radial->makeImage();
    EXPECT_GT(redOf(image->pixel(10, 10)), 220);
    EXPECT_EQ(alphaOf(image->pixel(0, 0)), 0);

    // drawInRect fills its rectangle only, whatever the angle, and leaves the clip alone.
    auto boxed = bitmap(10, 10);
    gradient->drawInRect(*boxed, Rect(0, 0, 10, 5), 90);
    image = boxed->makeImage();
    EXPECT_GT(redOf(image->pixel(5, 9)), 200);
    EXPECT_EQ(alphaOf(image->pixel(5, 2)), 0);
    EXPECT_EQ(boxed->clipBoundingBox(), Rect(0, 0, 10, 10));
}

TEST(Context, ClippingSaveAndRestore)
{
    auto context = bitmap(10, 10);
    EXPECT_EQ(context->clipBoundingBox(), Rect(0, 0, 10, 10));
    context->save();
    context->clipToRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(context->clipBoundingBox(), Rect(0, 0, 5, 5));
    context->translateBy(1, 1);
    EXPECT_EQ(context->clipBoundingBox(), Rect(-1, -1, 5, 5));
    context->setFillColor(Color::red());
    context->fillRect(Rect(-1, -1, 10, 10));
    context->restore();
    EXPECT_EQ(context->transform(), AffineTransform::identity());
    auto image = context->makeImage();
    EXPECT_EQ(image->pixel(0, 9), red);
    EXPECT_EQ(alphaOf(image->pixel(6, 0)), 0);
    EXPECT_EQ(context->clipBoundingBox(), Rect(0, 0, 10, 10));
    // Fill colour went with the restore.
    context->fillRect(Rect(9, 9, 1, 1));
    EXPECT_EQ(context->makeImage()->pixel(9, 0), makePixel(255, 0, 0, 0));

    // A path clip with the even-odd rule leaves a hole; the path is consumed.
    auto ring = bitmap(10, 10);
    ring->addRect(Rect(0, 0, 10, 10));
    ring->addRect(Rect(3, 3, 4, 4));
    ring->clip(FillRule::evenOdd);
    EXPECT_TRUE(ring->isPathEmpty());
    ring->setFillColor(Color::red());
    ring->fillRect(Rect(0, 0, 10, 10));
    image = ring->makeImage();
    EXPECT_EQ(image->pixel(1, 1), red);
    EXPECT_EQ(alphaOf(image->pixel(5, 5)), 0);
}

TEST(Context, PathsStrokesBlendModesAndAlpha)
{
    auto context = bitmap(10, 10);
    context->setFillColor(Color::red());
    context->moveTo({0, 0});
    context->addLineTo({10, 0});
    context->addLineTo({0, 10});
    context->closePath();
    context->fillPath();
    auto image = context->makeImage();
    EXPECT_EQ(image->pixel(1, 8), red);
    EXPECT_EQ(alphaOf(image->pixel(8, 1)), 0);

    context->setStrokeColor(Color::blue());
    context->setLineWidth(2);
    context->strokeRect(Rect(5, 5, 4, 4));
    EXPECT_EQ(context->makeImage()->pixel(5, 2), makePixel(255, 0, 0, 255));

    // Copy replaces, even with transparency; sourceAtop keeps the destination's alpha.
    context->rectFill(Rect(0, 0, 2, 2));
    context->setFillColor(Color::clear());
    context->rectFill(Rect(0, 0, 1, 1));
    image = context->makeImage();
    EXPECT_EQ(image->pixel(0, 9), 0u);
    context->setBlendMode(BlendMode::sourceAtop);
    context->setFillColor(Color::green());
    context->fillRect(Rect(0, 0, 10, 10));
    image = context->makeImage();
    EXPECT_EQ(image->pixel(0, 9), 0u);
    EXPECT_EQ(image->pixel(1, 9), makePixel(255, 0, 255, 0));

    auto faint = bitmap(2, 2);
    faint->setAlpha(0.5);
    faint->setFillColor(Color::white());
    faint->fillRect(Rect(0, 0, 2, 2));
    EXPECT_NEAR(alphaOf(faint->makeImage()->pixel(0, 0)), 128, 1);
}

TEST(Context, PatternsTileFromTheBaseSpace)
{
    const auto pattern = Pattern::create({2, 2}, AffineTransform::identity(), [](Context& tile) {
        tile.setFillColor(Color::red());
        tile.fillRect(Rect(0, 0, 1, 1));
    });
    ASSERT_NE(pattern, nullptr);
    EXPECT_EQ(Pattern::create({0, 2}, {}, {}), nullptr);
    auto context = bitmap(4, 4);
    context->setFillPattern(pattern);
    context->fillRect(Rect(0, 0, 4, 4));
    const auto image = context->makeImage();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(image->pixel(x, y), (x % 2 == 0 && y % 2 == 1) ? red : 0u) << x << "," << y;
}

TEST(Context, TextStandsUprightFromTheTopOfItsRectangle)
{
    auto context = bitmap(60, 80);
    const AttributedString text(
        "T", {.font = Font::withName("DejaVu Sans", 30), .foregroundColor = Color::black(), .paragraphStyle = {}});
    // The lower half of the bitmap in y-up space: rows 40 to 79 from the top.
    text.drawInRect(*context, Rect(0, 0, 60, 40));
    const auto counts = inkPerRow(*context->makeImage());
    int first = -1, last = -1, widest = -1;
    for (int y = 0; y < 80; ++y)
        if (counts[std::size_t(y)] > 0) {
            if (first < 0) first = y;
            last = y;
            if (widest < 0 || counts[std::size_t(y)] > counts[std::size_t(widest)]) widest = y;
        }
    ASSERT_GE(first, 40);
    EXPECT_GT(last - first, 10);
    // The bar of the T is its widest row and lies at the top of the ink.
    EXPECT_LT(widest - first, (last - first) / 3);
    // Measured in the units it is drawn in: the ink fits the measured height.
    EXPECT_GT(text.size().width, 5);
    EXPECT_LE(last - first, text.size().height);
    EXPECT_GT(last - first, text.size().height / 2);
}

TEST(Context, AttributedStringsCountUTF16AndFontsResolve)
{
    AttributedString text("a\xF0\x9F\x98\x80"
                          "b");
    EXPECT_EQ(text.length(), 4u);
    text.replaceCharacters({1, 2}, "-");
    EXPECT_EQ(text.text(), "a-b");
    text.replaceCharacters({2, 50}, "");
    EXPECT_EQ(text.text(), "a-");

    EXPECT_EQ(Font::named("No Such Family Anywhere", 12), std::nullopt);
    const Font substituted = Font::withName("No Such Family Anywhere", 12);
    EXPECT_EQ(substituted.name(), "No Such Family Anywhere");
    EXPECT_FALSE(substituted.familyName().empty());
    const Font system = Font::system(13);
    EXPECT_TRUE(Font::named(system.familyName(), 13).has_value());
}

TEST(Context, CurrentContextFollowsScopes)
{
    EXPECT_EQ(Context::current(), nullptr);
    auto outer = bitmap(1, 1), inner = bitmap(1, 1);
    {
        ContextScope a(*outer);
        EXPECT_EQ(Context::current(), outer.get());
        {
            ContextScope b(*inner);
            EXPECT_EQ(Context::current(), inner.get());
        }
        EXPECT_EQ(Context::current(), outer.get());
    }
    EXPECT_EQ(Context::current(), nullptr);
}

TEST(BitmapContext, SizesAndWrappedMemoryInBigEndianWords)
{
    EXPECT_EQ(BitmapContext::create(0, 10, AlphaInfo::premultipliedFirst), nullptr);
    std::vector<std::uint8_t> memory(2 * 16, 7);
    EXPECT_EQ(BitmapContext::wrap(memory.data(), 3, 2, 8, AlphaInfo::noneSkipFirst), nullptr);
    {
        auto context = BitmapContext::wrap(memory.data(), 2, 2, 16, AlphaInfo::noneSkipFirst);
        ASSERT_NE(context, nullptr);
        EXPECT_EQ(context->makeImage()->pixel(0, 0), makePixel(255, 7, 7, 7));
        context->setFillColor(Color::orange());
        context->fillRect(Rect(0, 0, 1, 1));
        context->setFillColor(Color::rgb(0, 0, 1, 0.5));
        context->fillRect(Rect(1, 1, 1, 1));
        EXPECT_TRUE(context->makeImage()->isOpaque());
    }
    // Bottom-left pixel is the first of the second row; bytes A, R, G, B.
    EXPECT_EQ(std::vector<std::uint8_t>(memory.begin() + 16, memory.begin() + 20),
              (std::vector<std::uint8_t>{255, 255, 128, 0}));
    EXPECT_EQ(memory[8], 7);  // padding untouched
    EXPECT_EQ(memory[0], 255);
    EXPECT_EQ(memory[4 + 3], 131);  // blue at half alpha over grey 7
}

TEST(Path, RoundedRectsClampCornersAndBoxesHoldControlPoints)
{
    const auto path = Path::roundedRect(Rect(0, 0, 10, 4), 8, 8);
    EXPECT_EQ(path.boundingBox(), Rect(0, 0, 10, 4));
    EXPECT_EQ(path.elements().front().points.front(), (Point{5, 0}));
    EXPECT_EQ(Path().boundingBox(), Rect::null());

    Path open;
    open.moveTo({1, 1});
    open.addLineTo({3, 1});
    open.closeSubpath();
    open.addLineTo({1, 5});
    ASSERT_EQ(open.elements().size(), 5u);
    EXPECT_EQ(open.elements()[3].type, Path::ElementType::moveTo);
    EXPECT_EQ(open.elements()[3].points[0], (Point{1, 1}));
    EXPECT_EQ(open.applying(AffineTransform::translation(1, 0)).boundingBox(), Rect(2, 1, 2, 4));
    EXPECT_EQ(Path::rect(Rect(0, 0, 1, 1), AffineTransform::scaling(2, 3)).boundingBox(), Rect(0, 0, 2, 3));
}
