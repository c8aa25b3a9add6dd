// Window construction and end of editing, document extensions, menu item states and forced loading.
#include <gtest/gtest.h>

#include "appkit/application_extensions.h"
#include "appkit/controller_extensions.h"
#include "appkit/menu_extensions.h"
#include "appkit/window_extensions.h"
#include "appkit/window_levels.h"
#include "platform/ui/screen.h"
#include "platform/ui/view.h"
#include "platform/ui/window_level.h"

namespace {

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

TEST(ApplicationExtensions, JoinsDocumentExtensionsInOrder)
{
    using core::Array;
    using core::Dictionary;
    const Dictionary info{{"CFBundleDocumentTypes",
                           Array{Dictionary{{"CFBundleTypeExtensions", Array{"mov", "mp4"}}},
                                 Dictionary{{"CFBundleTypeName", "Movie"}},
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
