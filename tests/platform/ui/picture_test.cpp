// Pictures from bitmaps and handlers, drawn into and encoded; cursors keep their hot spot; screens have a
// scale; text layers draw their text.
#include <fstream>

#include <gtest/gtest.h>

#include "platform/core/bundle.h"
#include "platform/gfx/context.h"
#include "platform/gfx/image_reader.h"
#include "platform/ui/cursor.h"
#include "platform/ui/picture.h"
#include "platform/ui/screen.h"
#include "platform/ui/text_layer.h"
#include "platform/ui/transaction.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"
#include "tests/support/temp_dir.h"

namespace {

gfx::ImageRef solid(int w, int h, gfx::Pixel p)
{
    return gfx::Image::create(w, h, std::vector<gfx::Pixel>(std::size_t(w) * h, p));
}

TEST(Picture, TakesTheBitmapsSizeAndItsLargestRepresentation)
{
    auto picture = ui::Picture::withImage(solid(640, 480, 0xff000000));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), (gfx::Size{640, 480}));
    picture->addRepresentation(solid(1000, 900, 0xff000000));
    const auto reps = picture->representations();
    ASSERT_EQ(reps.size(), 2u);
    EXPECT_EQ(reps[1].pixelsHigh, 900);
    EXPECT_EQ(picture->cgImage()->width(), 1000);  // the largest by area
    EXPECT_EQ(ui::Picture::withImage(nullptr), nullptr);
}

TEST(Picture, DrawsItsHandlerOnDemandAndKeepsWhatFocusDrew)
{
    auto picture = ui::Picture::withSize({4, 2}, false, [](const gfx::Rect& r) {
        gfx::Context::current()->setFillColor(gfx::Color::red());
        gfx::Context::current()->rectFill(r);
        return true;
    });
    ASSERT_EQ(picture->representations().size(), 1u);
    EXPECT_EQ(picture->representations()[0].bitmap, nullptr);
    auto image = picture->cgImage();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixel(3, 1), 0xffff0000u);

    auto tinted = picture->copy();
    tinted->lockFocus();
    gfx::Context::current()->setFillColor(gfx::Color::blue());
    gfx::Context::current()->fillRect({0, 0, 2, 2});
    tinted->unlockFocus();
    EXPECT_EQ(gfx::Context::current(), nullptr);
    auto drawn = tinted->cgImage();
    EXPECT_EQ(drawn->pixel(0, 0), 0xff0000ffu);
    EXPECT_EQ(drawn->pixel(3, 0), 0xffff0000u);
    EXPECT_EQ(picture->cgImage()->pixel(0, 0), 0xffff0000u);  // the original is unchanged
}

TEST(Picture, EncodesItsBitmap)
{
    auto picture = ui::Picture::withImage(solid(3, 3, 0xff00ff00));
    auto tiff = picture->tiffRepresentation();
    ASSERT_TRUE(tiff);
    auto png = ui::BitmapImageRep::representation(picture->cgImage(), gfx::BitmapFileType::png);
    ASSERT_TRUE(png);
    auto back = gfx::ImageReader::readData(*png);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixel(1, 1), 0xff00ff00u);
    EXPECT_FALSE(ui::BitmapImageRep::representation(picture->cgImage(), gfx::BitmapFileType::bmp));
    EXPECT_FALSE(ui::BitmapImageRep::representation(nullptr, gfx::BitmapFileType::png));
}

TEST(Picture, SystemPicturesComeFromTheThemeOrTheStyle)
{
    auto general = ui::Picture::system("NSPreferencesGeneral");
    ASSERT_TRUE(general);
    EXPECT_TRUE(general->cgImage());
    EXPECT_EQ(ui::Picture::system("NoSuchPicture"), nullptr);
}

TEST(Picture, FromABundleByNameWithOrWithoutExtension)
{
    testsupport::TempDir folder("bundle");
    auto png = ui::BitmapImageRep::representation(solid(4, 2, 0xff112233), gfx::BitmapFileType::png);
    ASSERT_TRUE(png);
    ASSERT_TRUE(core::writeAtomically(*png, (folder / "Badge.png").string()));
    ASSERT_TRUE(core::writeAtomically(core::dataFromString("no picture"), (folder / "Broken.png").string()));
    auto bundle = core::Bundle::atPath(folder.path().string());
    ASSERT_TRUE(bundle);
    for (const char* name : {"Badge", "Badge.png"}) {
        auto picture = ui::Picture::fromBundle(*bundle, name);
        ASSERT_TRUE(picture) << name;
        EXPECT_EQ(picture->size(), (gfx::Size{4, 2}));
        EXPECT_EQ(picture->cgImage()->pixel(3, 1), 0xff112233u);
    }
    EXPECT_EQ(ui::Picture::fromBundle(*bundle, "Broken"), nullptr);
    EXPECT_EQ(ui::Picture::fromBundle(*bundle, "Missing"), nullptr);

    // By name: the main bundle's first, then the system's.
    core::Bundle::setMain(bundle);
    auto badge = ui::Picture::named("Badge");
    ASSERT_TRUE(badge);
    EXPECT_EQ(badge->size(), (gfx::Size{4, 2}));
    EXPECT_TRUE(ui::Picture::named("NSPreferencesGeneral"));
    EXPECT_EQ(ui::Picture::named("Missing"), nullptr);
    core::Bundle::setMain(nullptr);
}

TEST(Cursor, KeepsItsPictureAndHotSpot)
{
    auto cursor = core::make<ui::Cursor>(ui::Picture::withImage(solid(16, 16, 0xff000000)), gfx::Point{10, 8});
    EXPECT_EQ(cursor->hotSpot(), (gfx::Point{10, 8}));
    cursor->set();
    ui::Cursor::arrow()->set();
    EXPECT_EQ(ui::Cursor::arrow(), ui::Cursor::arrow());
}

TEST(Screen, HasAFrameAndAScaleOfAtLeastOne)
{
    const auto screens = ui::Screen::screens();
    ASSERT_FALSE(screens.empty());
    EXPECT_GT(screens[0].frame.width(), 0);
    EXPECT_GE(screens[0].backingScaleFactor, 1);
    EXPECT_TRUE(ui::Screen::main());
}

TEST(TextLayer, DrawsItsTextInTheLayer)
{
    auto window = ui::Window::create({0, 0, 200, 60}, ui::StyleMask::titled);
    auto view = core::make<ui::View>(gfx::Rect{0, 0, 200, 60});
    window->contentView()->addSubview(view);
    auto text = core::make<ui::TextLayer>();
    ui::Transaction::withoutAnimation([&] {
        view->setWantsLayer(true);
        view->layer()->setBackgroundColor(gfx::Color::black());
        text->setFrame({0, 0, 200, 60});
        text->setFontSize(30);
        text->setForegroundColor(gfx::Color::white());
        text->setString(std::string("WWWWWW"));
        text->setAlignmentMode(ui::AlignmentMode::center);
    });
    view->layer()->addSublayer(text);
    auto image = window->snapshot();
    ASSERT_TRUE(image);
    int bright = 0;
    for (int y = 0; y < image->height(); ++y)
        for (int x = 0; x < image->width(); ++x)
            if (gfx::redOf(image->pixel(x, y)) > 128) ++bright;
    EXPECT_GT(bright, 50);
    EXPECT_EQ(gfx::redOf(image->pixel(1, 58)), 0);  // the corner stays background
}

}  // namespace

namespace {

// The share of a bitmap's pixels that are neither clear nor opaque: edges, blurred or not.
double partialShare(const gfx::Image& image)
{
    int partial = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = gfx::alphaOf(image.pixel(x, y));
            partial += alpha > 10 && alpha < 245 ? 1 : 0;
        }
    return double(partial) / (image.width() * image.height());
}

}  // namespace

TEST(Picture, ScalableDrawingsOfABundleStaySharpAtAnyScaleAndTemplatesTakeTheirTint)
{
    testsupport::TempDir folder("bundle");
    const std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\" viewBox=\"0 0 16 16\">"
        "<circle cx=\"8\" cy=\"8\" r=\"6\" fill=\"#3080f0\"/></svg>";
    for (const char* name : {"DotTemplate.svg", "Dot.svg", "Broken.svg"})
        std::ofstream(folder / name) << (std::string(name) == "Broken.svg" ? std::string("<svg") : svg);
    const core::Bundle bundle(folder.path().string());

    auto dot = ui::Picture::fromBundle(bundle, "DotTemplate");
    ASSERT_TRUE(dot);
    EXPECT_TRUE(dot->isTemplate());
    EXPECT_EQ(dot->size(), (gfx::Size{16, 16}));
    EXPECT_FALSE(ui::Picture::fromBundle(bundle, "Dot")->isTemplate());
    EXPECT_EQ(ui::Picture::fromBundle(bundle, "Broken"), nullptr);

    const auto once = dot->bitmap({16, 16}, 1, gfx::Color::white());
    const auto twice = dot->bitmap({16, 16}, 2, gfx::Color::white());
    ASSERT_TRUE(once && twice);
    EXPECT_EQ(twice->width(), 32);
    EXPECT_EQ(twice->height(), 32);
    // Drawn afresh at twice the pixels, not enlarged: its edges take half the share of the pixels.
    EXPECT_LT(partialShare(*twice), 0.7 * partialShare(*once));
    // A template is its shape in the tint; another picture keeps its colours.
    EXPECT_EQ(twice->pixel(16, 16), 0xffffffffu);
    EXPECT_EQ(twice->pixel(1, 1), 0u);
    EXPECT_EQ(dot->bitmap({16, 16}, 1, gfx::Color::red())->pixel(8, 8), 0xffff0000u);
    EXPECT_EQ(ui::Picture::fromBundle(bundle, "Dot")->bitmap({16, 16}, 1, gfx::Color::red())->pixel(8, 8), 0xff3080f0u);
}
