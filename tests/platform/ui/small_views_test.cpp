// Colour wells, text views, path bars and the welcome page's web view.
#include <gtest/gtest.h>

#include "platform/ui/color_well.h"
#include "platform/ui/path_control.h"
#include "platform/ui/system_style.h"
#include "platform/ui/text_view.h"
#include "platform/ui/web_view.h"
#include "platform/ui/window.h"

namespace {

constexpr ui::ActionName colorChanged{"colorChanged:"};

TEST(ColorWell, TakesAChosenColourAndSendsItsAction)
{
    auto well = core::make<ui::ColorWell>(gfx::Rect{0, 0, 40, 24});
    auto target = core::make<ui::Responder>();
    int sent = 0;
    target->registerAction(colorChanged, [&](const std::shared_ptr<core::Object>&) { ++sent; });
    well->setTarget(target);
    well->setAction(colorChanged);
    well->setColor(gfx::Color::red());
    EXPECT_EQ(sent, 0);
    well->chooseColor(gfx::Color::blue());
    EXPECT_EQ(well->color(), gfx::Color::blue());
    EXPECT_EQ(sent, 1);
}

TEST(TextView, HoldsItsText)
{
    auto text = core::make<ui::TextView>(gfx::Rect{0, 0, 200, 100});
    text->setString("line one\nline two");
    EXPECT_EQ(text->string(), "line one\nline two");
    text->setEditable(false);
    EXPECT_FALSE(text->isEditable());
}

TEST(PathControl, DrawsItsTitlesAndKnowsTheEnds)
{
    auto window = ui::Window::create({0, 0, 300, 30}, ui::StyleMask::titled);
    auto bar = core::make<ui::PathControl>(gfx::Rect{0, 0, 300, 30});
    window->contentView()->addSubview(bar);
    auto a = core::make<ui::PathComponent>("Movies");
    auto b = core::make<ui::PathComponent>("Holidays");
    bar->setPathComponentCells({a, b});
    EXPECT_TRUE(a->isFirstItem());
    EXPECT_FALSE(a->isLastItem());
    EXPECT_TRUE(b->isLastItem());
    auto before = window->snapshot();
    bar->setPathComponentCells({});
    auto empty = window->snapshot();
    ASSERT_TRUE(before && empty);
    int differing = 0;
    for (int y = 0; y < before->height(); ++y)
        for (int x = 0; x < before->width(); ++x)
            if (before->pixel(x, y) != empty->pixel(x, y)) ++differing;
    EXPECT_GT(differing, 20);  // the titles show
    EXPECT_FALSE(a->isFirstItem());
}

TEST(WebView, CallsTheHandlerOfAMessageLink)
{
    auto web = core::make<ui::WebView>(gfx::Rect{0, 0, 300, 200});
    std::vector<std::string> messages;
    web->addScriptMessageHandler("closeWelcomeWindow", [&](const std::string& name) { messages.push_back(name); });
    web->loadHTMLString("<html><body><h1>Welcome</h1><a href=\"x-message:closeWelcomeWindow\">Close</a></body></html>",
                        std::nullopt);
    EXPECT_NE(web->plainText().find("Welcome"), std::string::npos);
    web->activateLink("x-message:closeWelcomeWindow");
    web->activateLink("x-message:unknown");
    EXPECT_EQ(messages, std::vector<std::string>{"closeWelcomeWindow"});
    web->removeScriptMessageHandler("closeWelcomeWindow");
    web->activateLink("x-message:closeWelcomeWindow");
    EXPECT_EQ(messages.size(), 1u);
}

TEST(SystemStyle, GivesFontSizesByControlSize)
{
    EXPECT_EQ(ui::systemFontSize(ui::ControlSize::regular), 13);
    EXPECT_EQ(ui::systemFontSize(ui::ControlSize::small), 11);
    EXPECT_EQ(ui::systemFontSize(ui::ControlSize::mini), 9);
    EXPECT_GT(ui::SystemColor::focusIndicator().a, 0);
}

}  // namespace
