// Window construction, end of editing and content views, document extensions, menu item states, forced
// loading, the sharing picker's edges and the named appearances.
#include <gtest/gtest.h>

#include "appkit/appearance_extensions.h"
#include "appkit/application_extensions.h"
#include "appkit/controller_extensions.h"
#include "appkit/menu_extensions.h"
#include "appkit/sharing_extensions.h"
#include "appkit/window_extensions.h"
#include "appkit/window_levels.h"
#include "platform/ui/screen.h"
#include "platform/ui/view.h"
#include "platform/ui/window_level.h"

namespace {

class FlippedView : public ui::View {
public:
    using View::View;
    bool isFlipped() const override { return true; }
};

// A view that takes the keys and may refuse to give them up.
class Editor : public ui::View {
public:
    using View::View;
    bool refuses = false;
    bool acceptsFirstResponder() const override { return true; }
    bool resignFirstResponder() override { return !refuses; }
};

TEST(WindowExtensions, TitledWindowSitsAtTheMiddleOfTheScreenSize)
{
    auto window = kestrane::makeWindow("Snaps", gfx::Size{300, 200});
    EXPECT_EQ(window->title(), "Snaps");
    EXPECT_EQ(window->styleMask(), 15u);
    EXPECT_EQ(window->contentSize(), (gfx::Size{300, 200}));
    // Already first responder: stays so.
    EXPECT_TRUE(kestrane::endEditing(*window));
    EXPECT_EQ(window->firstResponder(), window);
}

TEST(WindowExtensions, WindowLargerThanTheScreenStartsLeftOfAndBelowIt)
{
    auto screen = ui::Screen::main();
    ASSERT_TRUE(screen);
    const gfx::Size size{screen->frame.size.width + 200, screen->frame.size.height + 100};
    auto window = kestrane::makeWindow("Wide", size);
    EXPECT_EQ(window->title(), "Wide");
    EXPECT_EQ(window->contentSize(), size);
    const gfx::Rect content = window->convertRectToScreen({{0, 0}, size});
    EXPECT_DOUBLE_EQ(content.minX(), -100);
    EXPECT_DOUBLE_EQ(content.minY(), -50);
}

TEST(WindowExtensions, EndEditingGivesTheEditorItsPlaceBackUnlessItRefuses)
{
    auto window = kestrane::makeWindow("Edit", gfx::Size{200, 100});
    auto editor = core::make<Editor>(gfx::Rect{10, 10, 80, 20});
    window->contentView()->addSubview(editor);
    ASSERT_TRUE(window->makeFirstResponder(editor));
    EXPECT_TRUE(kestrane::endEditing(*window));
    EXPECT_EQ(window->firstResponder(), editor);

    editor->refuses = true;
    EXPECT_FALSE(kestrane::endEditing(*window));
    EXPECT_EQ(window->firstResponder(), editor);
    // Forced: whatever the editor says.
    kestrane::forceEndEditing(*window);
    EXPECT_EQ(window->firstResponder(), window);
}

TEST(WindowExtensions, ReplacedContentViewTakesTheSubviewsInOrder)
{
    auto window = kestrane::makeWindow("Content", gfx::Size{200, 100});
    EXPECT_EQ(kestrane::visualContentView(*window), nullptr);
    std::vector<std::shared_ptr<ui::View>> views;
    for (int i = 0; i < 3; ++i) {
        views.push_back(core::make<ui::View>(gfx::Rect{double(10 * i), 0, 10, 10}));
        window->contentView()->addSubview(views.back());
    }
    auto old = window->contentView();
    auto next = core::make<ui::View>(gfx::Rect{0, 0, 200, 100});
    kestrane::replaceContentView(*window, next);
    EXPECT_EQ(window->contentView(), next);
    EXPECT_EQ(next->subviews(), views);
    EXPECT_TRUE(old->subviews().empty());
    for (auto& view : views)
        EXPECT_EQ(view->superview(), next);

    kestrane::setContentViewAppearance(*window, ui::VisualEffectMaterial::dark);
    auto backdrop = kestrane::visualContentView(*window);
    ASSERT_TRUE(backdrop);
    EXPECT_EQ(backdrop->material(), ui::VisualEffectMaterial::dark);
    EXPECT_EQ(backdrop->subviews(), views);
    EXPECT_EQ(backdrop->frame().size, window->frame().size);
}

TEST(SharingExtensions, TopIsTheMaximumYEdgeEvenInAFlippedView)
{
    struct Recording : ui::SharingServicePicker {
        using SharingServicePicker::SharingServicePicker;
        std::vector<std::pair<gfx::Rect, ui::RectEdge>> shown;
        void show(const gfx::Rect& rect, const std::shared_ptr<ui::View>&, ui::RectEdge edge) override
        {
            shown.push_back({rect, edge});
        }
    };
    auto picker = core::make<Recording>(std::vector<ui::SharingItem>{});
    auto flipped = core::make<FlippedView>(gfx::Rect{5, 5, 40, 30});
    kestrane::showAtTop(*picker, flipped);
    kestrane::showAtBottom(*picker, flipped);
    kestrane::showAtLeft(*picker, flipped);
    kestrane::showAtRight(*picker, flipped);
    const gfx::Rect bounds{0, 0, 40, 30};
    const std::vector<std::pair<gfx::Rect, ui::RectEdge>> expected{{bounds, ui::RectEdge::maxY},
                                                                   {bounds, ui::RectEdge::minY},
                                                                   {bounds, ui::RectEdge::minX},
                                                                   {bounds, ui::RectEdge::maxX}};
    EXPECT_EQ(picker->shown, expected);
}

TEST(AppearanceExtensions, NamedAppearances)
{
    ASSERT_TRUE(kestrane::Appearance::aqua());
    EXPECT_EQ(kestrane::Appearance::aqua()->name(), "NSAppearanceNameAqua");
    ASSERT_TRUE(kestrane::Appearance::vibrantDark());
    EXPECT_TRUE(kestrane::Appearance::vibrantDark()->isDark());
    ASSERT_TRUE(kestrane::Appearance::vibrantLight());
    EXPECT_EQ(kestrane::Appearance::vibrantLight()->name(), "NSAppearanceNameVibrantLight");
}

TEST(ApplicationExtensions, JoinsDocumentExtensionsInOrder)
{
    using core::Array;
    using core::Dictionary;
    const Dictionary info{
        {"CFBundleDocumentTypes",
         Array{Dictionary{{"CFBundleTypeExtensions", Array{"mov", "mp4"}}}, Dictionary{{"CFBundleTypeName", "Movie"}},
               Dictionary{{"CFBundleTypeExtensions", Array{"m4v", "mov"}}}}}};
    EXPECT_EQ(kestrane::supportedFileExtensions(info), (std::vector<std::string>{"mov", "mp4", "m4v", "mov"}));
    EXPECT_TRUE(kestrane::supportedFileExtensions(Dictionary{}).empty());
    EXPECT_TRUE(kestrane::supportedFileExtensions(Dictionary{{"CFBundleDocumentTypes", "mov"}}).empty());
}

TEST(MenuExtensions, BoolStateMapsMixedToAbsent)
{
    auto item = core::make<ui::MenuItem>("Loop", "toggleLoop:", "");
    kestrane::setBoolState(*item, std::nullopt);
    EXPECT_EQ(item->state(), ui::ControlState::mixed);
    EXPECT_EQ(kestrane::boolState(*item), std::nullopt);
    kestrane::setBoolState(*item, true);
    EXPECT_EQ(kestrane::boolState(*item), true);
    kestrane::setBoolState(*item, false);
    EXPECT_EQ(kestrane::boolState(*item), false);
}

TEST(ControllerExtensions, ForceLoadRunsOnlyOnce)
{
    struct Counting : ui::ViewController {
        int loads = 0;
        int didLoads = 0;
        void loadView() override
        {
            ++loads;
            setView(core::make<ui::View>(gfx::Rect{0, 0, 10, 10}));
        }
        void viewDidLoad() override { ++didLoads; }
    };
    auto controller = core::make<Counting>();
    kestrane::forceLoadIfNeeded(*controller);
    kestrane::forceLoadIfNeeded(*controller);
    EXPECT_EQ(controller->loads, 1);
    EXPECT_EQ(controller->didLoads, 1);
}

TEST(WindowLevels, DesktopLevelIsTheDesktopIconOne)
{
    EXPECT_EQ(kestrane::Window::desktopWindowLevel(), ui::windowLevelForKey(18));
    EXPECT_EQ(kestrane::Window::normalWindowLevel(), ui::windowLevelForKey(4));
}

}  // namespace
