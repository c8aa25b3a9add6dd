// The kit's own bundle: its texts, and its template images, which are all there, shapes without colour,
// drawn sharp at the screen's scale.
#include "moviekit/orvalis_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orvalis;

TEST(OrvalisKit, LooksUpItsOwnBundle)
{
    EXPECT_EQ(OrvalisKit::bundle()->identifier(), "net.vistrel.Orvalis");
    EXPECT_EQ(OrvalisKit::imageNamed("NoSuchImage"), nullptr);
    EXPECT_EQ(OrvalisKit::local("No.Such.Key"), "No.Such.Key");
    EXPECT_EQ(OrvalisKit::local("RatePopoverController.RateFormat", 150.0), "Speed: 150%");
    EXPECT_EQ(OrvalisKit::local("VolumePopoverController.VolumeFormat", 100.0 * 0.25f), "Volume: 25%");
}

TEST(OrvalisKit, TemplateImagesAreMadeOnceAndDrawSharpInTheirTint)
{
    EXPECT_EQ(PlayTemplate(), PlayTemplate());
    const std::vector<const PictureRef& (*)()> all = {
        PlayTemplate,      PauseTemplate,         Volume0Template,     Volume1Template,        Volume2Template,
        Volume3Template,   RotateLeftTemplate,    RotateRightTemplate, FlipHorizontalTemplate, FlipVerticalTemplate,
        TurtleTemplate,    RabbitTemplate,        SettingsTemplate,    BackwardTemplate,       ForwardTemplate,
        NextFrameTemplate, PreviousFrameTemplate, FileTemplate,
    };
    std::vector<gfx::ImageRef> drawn;
    for (auto image : all) {
        const PictureRef& picture = image();
        ASSERT_TRUE(picture);
        EXPECT_TRUE(picture->isTemplate());
        const auto bitmap = picture->bitmap(picture->size(), 2, gfx::Color::white());
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->width(), int(2 * picture->size().width));
        // Only the tint shows, wherever the shape is.
        int opaque = 0;
        for (int y = 0; y < bitmap->height(); ++y)
            for (int x = 0; x < bitmap->width(); ++x) {
                const gfx::Pixel p = bitmap->pixel(x, y);
                EXPECT_EQ(gfx::redOf(p), gfx::alphaOf(p));
                EXPECT_EQ(gfx::blueOf(p), gfx::alphaOf(p));
                opaque += gfx::alphaOf(p) == 255 ? 1 : 0;
            }
        EXPECT_GT(opaque, 30);
        // Each image is a drawing of its own.
        for (const auto& other : drawn)
            EXPECT_FALSE(other->width() == bitmap->width() && other->height() == bitmap->height() &&
                         std::equal(other->data(), other->data() + other->width() * other->height(), bitmap->data()));
        drawn.push_back(bitmap);
    }
}
