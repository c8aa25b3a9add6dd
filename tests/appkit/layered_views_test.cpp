// Layered views: the image view fades in new pictures unless its duration is 0; the text field shortens its
// text to its width and shows more again when widened.
#include <gtest/gtest.h>

#include "appkit/layered_image_view.h"
#include "appkit/layered_text_field.h"
#include "appkit/text_attributes.h"
#include "platform/ui/text_layer.h"
#include "tests/platform/core/run_until.h"

namespace {

gfx::ImageRef whiteImage(int width, int height)
{
    return gfx::Image::create(width, height, std::vector<gfx::Pixel>(std::size_t(width * height), 0xffffffffu));
}

TEST(LayeredImageView, StartsBlackAndEmptyAndFadesByDefault)
{
    auto view = core::make<kestrane::LayeredImageView>(gfx::Rect{0, 0, 100, 100});
    EXPECT_DOUBLE_EQ(view->duration(), 0.5);
    EXPECT_EQ(view->backgroundColor(), gfx::Color::black());
    EXPECT_EQ(view->image(), nullptr);
    EXPECT_EQ(view->imageLayer()->contentsGravity(), ui::ContentsGravity::resizeAspect);

    auto fade = view->actionForLayer(*view->imageLayer(), "contents");
    ASSERT_TRUE(fade);
    EXPECT_DOUBLE_EQ(fade->duration, 0.5);
    EXPECT_FALSE(view->actionForLayer(*view->imageLayer(), "backgroundColor"));

    auto image = whiteImage(4, 2);
    view->setImage(image);
    EXPECT_EQ(view->image(), image);                                // the model holds the new picture at once
    EXPECT_LT(view->imageLayer()->presentation().contentsFade, 1);  // the screen fades to it
    EXPECT_TRUE(testsupport::runUntil([&] { return view->imageLayer()->presentation().contentsFade == 1; }));
    EXPECT_EQ(view->imageLayer()->presentation().contents, image);
    view->setImage(nullptr);
    EXPECT_EQ(view->image(), nullptr);
}

TEST(LayeredImageView, ShowsTheImageAtOnceWithoutDuration)
{
    auto view = core::make<kestrane::LayeredImageView>(gfx::Rect{0, 0, 100, 100});
    view->setDuration(0);
    auto image = whiteImage(4, 2);
    view->setImage(image);
    EXPECT_EQ(view->imageLayer()->presentation().contents, image);
    EXPECT_DOUBLE_EQ(view->imageLayer()->presentation().contentsFade, 1);
}

TEST(NSTextAttributes, FallsBackToTheSystemFontAndHoldsOnlyWhatIsSet)
{
    kestrane::NSTextAttributes plain("NoSuchFontFamily-Kestrane", 17, std::nullopt, std::nullopt);
    EXPECT_EQ(plain.font(), gfx::Font::system(17));
    auto dictionary = plain.dictionary();
    EXPECT_EQ(dictionary.font, gfx::Font::system(17));
    EXPECT_FALSE(dictionary.foregroundColor);
    EXPECT_FALSE(dictionary.paragraphStyle);
    EXPECT_FALSE(plain.paragraphStyle());

    kestrane::NSTextAttributes full(std::nullopt, 10, gfx::Color::white(), gfx::TextAlignment::center);
    auto string = full.formateString("snap");
    EXPECT_EQ(string.text(), "snap");
    EXPECT_EQ(string.attributes().foregroundColor, gfx::Color::white());
    EXPECT_EQ(string.attributes().paragraphStyle, gfx::ParagraphStyle{gfx::TextAlignment::center});
}

class CountingField : public kestrane::LayeredTextField {
public:
    using LayeredTextField::LayeredTextField;
    void refreshFieldContent() override
    {
        ++refreshes;
        LayeredTextField::refreshFieldContent();
    }
    int refreshes = 0;
};

std::string shown(kestrane::LayeredTextField& field)
{
    return std::dynamic_pointer_cast<ui::TextLayer>(field.layer())->string().text();
}

TEST(LayeredTextField, ShortensToItsWidthAndShowsMoreWhenWidened)
{
    const std::string text = "A rather long movie title that cannot fit";
    auto field = core::make<CountingField>(gfx::Rect{0, 0, 60, 20});
    field->setString(text);
    const std::string narrow = shown(*field);
    ASSERT_GE(narrow.size(), 3u);
    EXPECT_EQ(narrow.substr(narrow.size() - 3), "...");
    EXPECT_EQ(text.compare(0, narrow.size() - 3, narrow, 0, narrow.size() - 3), 0);
    EXPECT_EQ(field->string(), text);

    field->setFrameSize({160, 20});
    const std::string wider = shown(*field);
    EXPECT_GT(wider.size(), narrow.size());

    field->setFrameSize({2000, 20});
    EXPECT_EQ(shown(*field), text);

    const int before = field->refreshes;
    field->setString(text);
    EXPECT_EQ(field->refreshes, before + 1);
}

TEST(LayeredTextField, StartsWithBlackSystemTextAndKeepsItsAlignmentMode)
{
    auto field = core::make<kestrane::LayeredTextField>(gfx::Rect{0, 0, 100, 20});
    ASSERT_TRUE(field->attributes());
    EXPECT_EQ(field->attributes()->font, gfx::Font::system(13));
    EXPECT_EQ(field->attributes()->foregroundColor, gfx::Color::black());
    field->setAlignmentMode(ui::AlignmentMode::center);
    EXPECT_EQ(field->alignmentMode(), ui::AlignmentMode::center);
    field->setAttributes(std::nullopt);
    field->setString("x");
    EXPECT_EQ(shown(*field), "x");
}

}  // namespace
