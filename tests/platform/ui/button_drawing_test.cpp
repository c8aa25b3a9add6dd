// Push buttons draw through their bezel and title hooks, in the button's y-down space, so that subclasses
// can draw their own look.
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/gfx/context.h"
#include "platform/ui/appearance.h"
#include "platform/ui/button.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/window.h"

namespace {

// Fills the top half blue and the bottom half red, and records the titles it was asked to draw.
class TwoToneButton : public ui::Button {
public:
    using Button::Button;
    std::vector<std::string> titles;
    gfx::Rect framed;
    gfx::Rect taken;

    void drawBezel(const gfx::Rect& frame) override
    {
        auto* context = gfx::Context::current();
        ASSERT_TRUE(context);
        framed = frame;
        context->setFillColor(gfx::Color::rgb(0, 0, 1));
        context->fillRect({0, 0, frame.width(), frame.height() / 2});
        context->setFillColor(gfx::Color::rgb(1, 0, 0));
        context->fillRect({0, frame.height() / 2, frame.width(), frame.height() / 2});
    }
    gfx::Rect drawTitle(const gfx::AttributedString& title, const gfx::Rect& frame) override
    {
        titles.push_back(title.text());
        gfx::TextAttributes white;
        white.foregroundColor = gfx::Color::white();
        taken = Button::drawTitle(gfx::AttributedString(title.text(), white), frame);
        return taken;
    }
};

QImage rendered(ui::Control& control)
{
    QWidget* widget = ui::controlWidget(control);
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget->render(&image);
    return image;
}

TEST(Button, APushButtonDrawsThroughItsBezelAndTitle)
{
    auto button = core::make<TwoToneButton>(gfx::Rect{0, 0, 120, 40});
    button->setTitle("Open");
    ui::controlWidget(*button)->resize(120, 40);
    const QImage image = rendered(*button);
    EXPECT_EQ(button->framed, (gfx::Rect{0, 0, 120, 40}));
    EXPECT_EQ(button->titles, std::vector<std::string>{"Open"});
    // y runs down: the first half filled is the top.
    EXPECT_EQ(image.pixelColor(3, 3), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(3, 36), QColor(255, 0, 0));
    // The attributed title is centred vertically and drawn in white somewhere over the bezel.
    EXPECT_GT(button->taken.height(), 0);
    EXPECT_NEAR(button->taken.midY(), 20, 0.5);
    bool white = false;
    for (int y = 0; y < image.height() && !white; ++y)
        for (int x = 0; x < image.width() && !white; ++x)
            white = image.pixelColor(x, y).lightness() > 200;
    EXPECT_TRUE(white);
}

TEST(Button, WithoutHooksDrawsTheStylesButton)
{
    auto button = core::make<ui::Button>(gfx::Rect{0, 0, 100, 30});
    button->setTitle("Batch");
    ui::controlWidget(*button)->resize(100, 30);
    const QImage image = rendered(*button);
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += image.pixelColor(x, y).alpha() > 0;
    EXPECT_GT(painted, 0);
    // Outside a paint the hooks draw nothing.
    button->drawBezel({0, 0, 100, 30});
    EXPECT_EQ(button->drawTitle(gfx::AttributedString("Batch"), {0, 0, 100, 30}), gfx::Rect{});
}

}  // namespace

namespace {

// The brightest pixel of the window's drawing inside a button's frame, and the darkest.
std::pair<int, int> lightnessRange(ui::Window& window, const ui::Button& button)
{
    auto image = window.snapshot();
    const gfx::Rect f = button.frame();
    const int height = int(window.contentSize().height);
    int lightest = 0, darkest = 255;
    for (int y = height - int(f.maxY()); y < height - int(f.minY()); ++y)
        for (int x = int(f.minX()); x < int(f.maxX()); ++x) {
            const gfx::Pixel p = image->pixel(x, y);
            const int lightness = (gfx::redOf(p) + gfx::greenOf(p) + gfx::blueOf(p)) / 3;
            lightest = std::max(lightest, lightness);
            darkest = std::min(darkest, lightness);
        }
    return {lightest, darkest};
}

}  // namespace

TEST(Button, ShowsATemplatePictureInItsTextColourForLightAndDarkAppearances)
{
    auto square = ui::Picture::withSize({16, 16}, false, [](const gfx::Rect& r) {
        gfx::Context::current()->setFillColor(gfx::Color::rgb(0.5, 0.2, 0.9));
        gfx::Context::current()->fillRect(r);
        return true;
    });
    square->setTemplate(true);
    for (const std::string& name : {ui::AppearanceName::aqua, ui::AppearanceName::vibrantDark}) {
        SCOPED_TRACE(name);
        auto window = ui::Window::create({0, 0, 60, 40}, ui::StyleMask::titled);
        auto appearance = ui::Appearance::named(name);
        window->setAppearance(appearance);
        auto button = core::make<ui::Button>(gfx::Rect{10, 5, 40, 30});
        button->setBordered(false);
        button->setPicture(square);
        window->contentView()->addSubview(button);
        const auto [lightest, darkest] = lightnessRange(*window, *button);
        const gfx::Color text = appearance->textColor();
        const int expected = int(std::lround((text.r + text.g + text.b) / 3 * 255));
        // The square shows in the text colour: as light as it on a dark ground, as dark as it on a light one.
        if (appearance->isDark())
            EXPECT_NEAR(lightest, expected, 8);
        else
            EXPECT_NEAR(darkest, expected, 8);
        window->close();
    }
}

TEST(Button, ThatRefusesFirstResponderNeverTakesTheKeyboard)
{
    auto button = core::make<ui::Button>(gfx::Rect{0, 0, 40, 20});
    EXPECT_NE(ui::controlWidget(*button)->focusPolicy(), Qt::NoFocus);
    button->setRefusesFirstResponder(true);
    EXPECT_EQ(ui::controlWidget(*button)->focusPolicy(), Qt::NoFocus);
    button->setButtonType(ui::ButtonType::toggle);  // a new widget keeps the rule
    EXPECT_EQ(ui::controlWidget(*button)->focusPolicy(), Qt::NoFocus);
    button->setRefusesFirstResponder(false);
    EXPECT_NE(ui::controlWidget(*button)->focusPolicy(), Qt::NoFocus);
}
