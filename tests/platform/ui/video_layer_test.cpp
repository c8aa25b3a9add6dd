// The video layer fits its picture with the aspect kept, turned by the track's transform, upright.
#include <cmath>

#include <gtest/gtest.h>

#include "platform/ui/transaction.h"
#include "platform/ui/video_layer.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"

namespace {

TEST(VideoLayer, FitsTheTurnedPictureWithItsAspect)
{
    const gfx::Rect plain = ui::fittedVideoRect({160, 120}, {}, {0, 0, 200, 100});
    EXPECT_NEAR(plain.minX(), 100.0 / 3, 1e-9);
    EXPECT_NEAR(plain.width(), 400.0 / 3, 1e-9);
    EXPECT_NEAR(plain.height(), 100, 1e-9);
    const auto quarterTurn = gfx::AffineTransform{0, 1, -1, 0, 120, 0};
    const gfx::Rect turned = ui::fittedVideoRect({160, 120}, quarterTurn, {0, 0, 200, 100});
    EXPECT_NEAR(turned.minX(), 62.5, 1e-9);
    EXPECT_NEAR(turned.width(), 75, 1e-9);
    EXPECT_NEAR(turned.height(), 100, 1e-9);
    EXPECT_TRUE(ui::fittedVideoRect({0, 0}, {}, {0, 0, 10, 10}).isNull());
}

TEST(VideoLayer, DrawsItsPictureUpright)
{
    auto window = ui::Window::create({0, 0, 40, 20}, ui::StyleMask::titled);
    auto view = core::make<ui::View>(gfx::Rect{0, 0, 40, 20});
    window->contentView()->addSubview(view);
    view->setWantsLayer(true);
    auto video = ui::VideoLayer::create(nullptr);
    ui::Transaction::withoutAnimation([&] { video->setFrame({0, 0, 40, 20}); });
    view->layer()->addSublayer(video);
    EXPECT_TRUE(video->videoRect().isNull());

    const gfx::Pixel red = 0xffff0000, blue = 0xff0000ff, green = 0xff00ff00;
    video->showFrame(gfx::Image::create(4, 2, {red, red, blue, blue, green, green, green, green}));
    EXPECT_EQ(video->videoRect(), (gfx::Rect{0, 0, 40, 20}));
    auto image = window->snapshot();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixel(5, 2), red);
    EXPECT_EQ(image->pixel(35, 2), blue);
    EXPECT_EQ(image->pixel(20, 17), green);
}

}  // namespace

namespace {

class FlippedView : public ui::View {
public:
    using View::View;
    bool isFlipped() const override { return true; }
};

// A 4 × 2 picture, red and blue on its top row, green below, shown by a video layer filling a 40 × 20 view.
gfx::ImageRef drawnWith(const std::shared_ptr<ui::View>& view, const gfx::AffineTransform& layerTransform)
{
    auto window = ui::Window::create({0, 0, 40, 20}, ui::StyleMask::titled);
    window->contentView()->addSubview(view);
    view->setWantsLayer(true);
    auto video = ui::VideoLayer::create(nullptr);
    ui::Transaction::withoutAnimation([&] {
        video->setAffineTransform(layerTransform);
        video->setFrame({0, 0, 40, 20});
    });
    view->layer()->addSublayer(video);
    const gfx::Pixel red = 0xffff0000, blue = 0xff0000ff, green = 0xff00ff00;
    video->showFrame(gfx::Image::create(4, 2, {red, red, blue, blue, green, green, green, green}));
    return window->snapshot();
}

}  // namespace

TEST(VideoLayer, AMirrorOfTheLayerMirrorsThePictureOnlyAndAFlippedViewKeepsItUpright)
{
    const gfx::Pixel red = 0xffff0000, blue = 0xff0000ff, green = 0xff00ff00;
    for (bool flippedView : {false, true}) {
        SCOPED_TRACE(flippedView ? "flipped view" : "view");
        auto view = flippedView ? std::shared_ptr<ui::View>(core::make<FlippedView>(gfx::Rect{0, 0, 40, 20}))
                                : core::make<ui::View>(gfx::Rect{0, 0, 40, 20});
        auto image = drawnWith(view, {});
        ASSERT_TRUE(image);
        EXPECT_EQ(image->pixel(5, 2), red);
        EXPECT_EQ(image->pixel(20, 17), green);
        // Mirrored left to right: blue on the left of the top row, green still below.
        auto mirrored = drawnWith(view, gfx::AffineTransform::scaling(-1, 1));
        ASSERT_TRUE(mirrored);
        EXPECT_EQ(mirrored->pixel(5, 2), blue);
        EXPECT_EQ(mirrored->pixel(35, 2), red);
        EXPECT_EQ(mirrored->pixel(20, 17), green);
    }
}
