// The welcome window: fixed size, the main bundle's page with its folder as base, hidden and reloaded by the
// page's close message, one shared window shown on demand or after a version update.
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include "appkit/welcome_window_controller.h"
#include "foundation/bundle_info.h"
#include "foundation/constants.h"
#include "foundation/shortcuts.h"
#include "platform/core/data.h"
#include "platform/ui/window.h"
#include "tests/foundation/test_bundle.h"

namespace {

using kestrane::WelcomeWindowController;

const std::string missingLine = "Welcome HTML content was not found (expected in a subdirectory named WelcomeHTML)\n";

class WelcomeWindow : public ::testing::Test {
protected:
    ~WelcomeWindow() override { core::Bundle::setMain(nullptr); }

    void useBundle(testsupport::TestBundle& bundle) { core::Bundle::setMain(bundle.shared()); }

    static std::shared_ptr<ui::WebView> webViewOf(WelcomeWindowController& controller)
    {
        return std::dynamic_pointer_cast<ui::WebView>(controller.window()->contentView());
    }

    static std::shared_ptr<WelcomeWindowController> make(std::string& printed)
    {
        ::testing::internal::CaptureStdout();
        auto controller = core::make<WelcomeWindowController>();
        printed = ::testing::internal::GetCapturedStdout();
        return controller;
    }
};

TEST_F(WelcomeWindow, IsAFixedSizeWindowEvenWithoutAPage)
{
    testsupport::TestBundle bundle(core::Dictionary{{"CFBundleName", "Snapper"}});
    useBundle(bundle);
    std::string printed;
    auto controller = make(printed);
    EXPECT_EQ(printed, missingLine);
    auto window = controller->window();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->title(), "Welcome");
    EXPECT_EQ(window->contentSize(), (gfx::Size{760, 600}));
    EXPECT_EQ(window->contentMinSize(), (gfx::Size{760, 600}));
    EXPECT_EQ(window->contentMaxSize(), (gfx::Size{760, 600}));
    EXPECT_EQ(window->windowController(), controller);
    auto web = webViewOf(*controller);
    ASSERT_TRUE(web);
    EXPECT_EQ(web->frame().size, (gfx::Size{760, 600}));
    EXPECT_EQ(web->plainText(), "");
    controller->showWindow(nullptr);
    EXPECT_TRUE(window->isVisible()) << "the window still opens, empty";
    window->close();
}

TEST_F(WelcomeWindow, CloseMessageHidesAndReloadsThePage)
{
    testsupport::TestBundle bundle(core::Dictionary{{"CFBundleName", "Snapper"}});
    bundle.writeFile("WelcomeHTML/index.html", "<html><body><p>First page</p></body></html>");
    useBundle(bundle);
    std::string printed;
    auto controller = make(printed);
    EXPECT_EQ(printed, "");
    auto web = webViewOf(*controller);
    ASSERT_TRUE(web);
    EXPECT_EQ(web->plainText(), "First page");
    controller->showWindow(nullptr);
    auto window = controller->window();
    ASSERT_TRUE(window->isVisible());

    bundle.writeFile("WelcomeHTML/index.html", "<html><body><p>Second page</p></body></html>");
    controller->userContentControllerDidReceive("closeWindow");
    web->activateLink("x-message:somethingElse");
    EXPECT_TRUE(window->isVisible()) << "other messages are ignored";
    EXPECT_EQ(web->plainText(), "First page");

    web->activateLink("x-message:closeWelcomeWindow");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(webViewOf(*controller), web) << "hidden, not torn down";
    EXPECT_EQ(web->plainText(), "Second page");
    controller->showWindow(nullptr);
    EXPECT_TRUE(window->isVisible());
    window->close();
}

TEST_F(WelcomeWindow, RelativePicturesComeFromThePageFolder)
{
    testsupport::TestBundle bundle(core::Dictionary{{"CFBundleName", "Snapper"}});
    bundle.writeFile("WelcomeHTML/index.html", "<html><body><img src=\"images/red.png\"></body></html>");
    QImage red(40, 40, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    std::filesystem::create_directories(bundle.path() / "WelcomeHTML/images");
    ASSERT_TRUE(red.save(QString::fromStdString((bundle.path() / "WelcomeHTML/images/red.png").string()), "PNG"));
    useBundle(bundle);
    std::string printed;
    auto controller = make(printed);
    auto snapshot = controller->window()->snapshot();
    ASSERT_TRUE(snapshot);
    int redPixels = 0;
    for (int y = 0; y < snapshot->height(); ++y)
        for (int x = 0; x < snapshot->width(); ++x) {
            const gfx::Pixel p = snapshot->pixel(x, y);
            if (gfx::redOf(p) > 200 && gfx::greenOf(p) < 50 && gfx::blueOf(p) < 50) ++redPixels;
        }
    EXPECT_GE(redPixels, 40 * 40);
}

TEST_F(WelcomeWindow, AnUnreadablePageIsReportedWithItsURL)
{
    testsupport::TestBundle bundle(core::Dictionary{{"CFBundleName", "Snapper"}});
    bundle.writeFile("WelcomeHTML/index.html", std::string("<p>\xff\xfe broken</p>"));
    useBundle(bundle);
    std::string printed;
    auto controller = make(printed);
    const auto url = core::Url::fileURL((bundle.path() / "WelcomeHTML" / "index.html").string());
    EXPECT_EQ(printed, "Cannot load welcome content at " + url.absoluteString() + "\n");
    EXPECT_EQ(webViewOf(*controller)->plainText(), "");
}

TEST_F(WelcomeWindow, AControllerGivenAWindowMakesNoWebView)
{
    auto window = ui::Window::create({0, 0, 200, 100}, ui::StyleMask::titled);
    auto content = window->contentView();
    ::testing::internal::CaptureStdout();
    auto controller = core::make<WelcomeWindowController>(window);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << "no page is looked for";
    EXPECT_EQ(controller->window(), window);
    EXPECT_EQ(window->contentView(), content);
}

TEST_F(WelcomeWindow, ProgramPageShowsAndClosesItself)
{
    core::Bundle::setMain(core::Bundle::named("Vistrel"));
    std::string printed;
    auto controller = make(printed);
    EXPECT_EQ(printed, "");
    EXPECT_NE(webViewOf(*controller)->plainText().find("Welcome to Vistrel"), std::string::npos);
    const auto page = kestrane::urlForHTMLResource(*core::Bundle::main(), "index", "WelcomeHTML");
    ASSERT_TRUE(page);
    const auto html = core::readUTF8(page->path());
    ASSERT_TRUE(html);
    EXPECT_NE(html->find("href=\"x-message:closeWelcomeWindow\""), std::string::npos);
}

TEST_F(WelcomeWindow, SharedWindowIsOneAndShownAfterAnUpdateOnly)
{
    ::testing::internal::CaptureStdout();
    auto shared = WelcomeWindowController::sharedController();
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(WelcomeWindowController::sharedController(), shared);
    auto window = shared->window();

    kestrane::Defaults[kestrane::DidUpdatedVersionKey] = false;
    WelcomeWindowController::showSharedWindowIfUpdate(nullptr);
    EXPECT_FALSE(window->isVisible());
    kestrane::Defaults[kestrane::DidUpdatedVersionKey] = true;
    WelcomeWindowController::showSharedWindowIfUpdate(nullptr);
    EXPECT_TRUE(window->isVisible());

    window->orderOut(nullptr);
    WelcomeWindowController::showSharedWindow(nullptr);
    WelcomeWindowController::showSharedWindow(nullptr);
    EXPECT_EQ(WelcomeWindowController::sharedController(), shared);
    EXPECT_EQ(shared->window(), window);
    EXPECT_TRUE(window->isVisible());
    window->orderOut(nullptr);
    kestrane::Defaults->remove(kestrane::DidUpdatedVersionKey);
}

}  // namespace
