// The pasteboard keeps data by type and file names; appearances and backdrops; notices reach the delegate.
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ui/appearance.h"
#include "platform/ui/pasteboard.h"
#include "platform/ui/user_notification.h"
#include "platform/ui/visual_effect_view.h"
#include "platform/ui/window.h"

namespace {

TEST(Pasteboard, KeepsDataByTypeAndFileNames)
{
    auto board = ui::Pasteboard::general();
    const long count = board->clearContents();
    EXPECT_EQ(board->changeCount(), count);
    EXPECT_TRUE(board->fileURLs().empty());
    const core::Data png{0x89, 'P', 'N', 'G', 0, 1};
    ASSERT_TRUE(board->setData(png, ui::PasteboardType::png));
    ASSERT_TRUE(board->setFileURLs({core::Url::fileURL("/tmp/a b.png"), core::Url::fileURL("/tmp/c.png")}));
    EXPECT_EQ(board->data(ui::PasteboardType::png), png);
    EXPECT_EQ(board->filenames(), (std::vector<std::string>{"/tmp/a b.png", "/tmp/c.png"}));
    const auto types = board->types();
    EXPECT_NE(std::find(types.begin(), types.end(), "image/png"), types.end());
    EXPECT_NE(std::find(types.begin(), types.end(), "text/uri-list"), types.end());
    board->clearContents();
    EXPECT_FALSE(board->data(ui::PasteboardType::png));

    auto first = core::make<ui::PasteboardItem>();
    first->setString("first", ui::PasteboardType::string);
    auto second = core::make<ui::PasteboardItem>();
    second->setString("second", ui::PasteboardType::string);
    second->setData(png, ui::PasteboardType::png);
    ASSERT_TRUE(board->writeObjects({first, second}));
    EXPECT_EQ(board->string(), "first");
    EXPECT_EQ(board->data(ui::PasteboardType::png), png);
}

TEST(Appearance, KnowsItsNames)
{
    auto dark = ui::Appearance::named(ui::AppearanceName::vibrantDark);
    ASSERT_TRUE(dark);
    EXPECT_TRUE(dark->isDark());
    EXPECT_EQ(dark->textColor(), gfx::Color::white());
    EXPECT_FALSE(ui::Appearance::named(ui::AppearanceName::aqua)->isDark());
    EXPECT_EQ(ui::Appearance::named("NSAppearanceNameNothing"), nullptr);

    auto window = ui::Window::create({0, 0, 40, 40}, ui::StyleMask::titled);
    window->setAppearance(dark);
    EXPECT_EQ(window->appearance(), dark);
}

TEST(VisualEffectView, PaintsItsMaterialFlat)
{
    auto window = ui::Window::create({0, 0, 40, 40}, ui::StyleMask::titled);
    auto backdrop = core::make<ui::VisualEffectView>(gfx::Rect{0, 0, 40, 40});
    backdrop->setMaterial(ui::VisualEffectMaterial::dark);
    window->contentView()->addSubview(backdrop);
    auto image = window->snapshot();
    ASSERT_TRUE(image);
    EXPECT_EQ(gfx::redOf(image->pixel(20, 20)), 51);
    EXPECT_EQ(backdrop->material(), ui::VisualEffectMaterial::dark);
}

TEST(UserNotificationCenter, AsksAndTellsTheDelegate)
{
    struct Quiet : ui::UserNotificationCenterDelegate {
        int delivered = 0;
        bool shouldPresent(const std::shared_ptr<ui::UserNotification>&) override { return false; }
        void didDeliver(const std::shared_ptr<ui::UserNotification>&) override { ++delivered; }
    };
    auto quiet = std::make_shared<Quiet>();
    auto& center = ui::UserNotificationCenter::defaultCenter();
    center.setDelegate(quiet);
    auto notice = core::make<ui::UserNotification>();
    notice->setTitle("Batch finished");
    notice->setInformativeText("3 movies");
    center.deliver(notice);
    EXPECT_EQ(quiet->delivered, 1);
    EXPECT_FALSE(notice->isPresented());
    EXPECT_EQ(center.deliveredNotifications().back(), notice);
    center.setDelegate(nullptr);
}

// Without a session bus the notice falls back to the tray, and claims to be shown only when a tray is there.
TEST(UserNotificationCenter, WithoutANotificationServiceTriesTheTray)
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if ((address && *address) || (runtime && std::filesystem::exists(std::filesystem::path(runtime) / "bus")))
        GTEST_SKIP() << "this session has a bus";
    auto& center = ui::UserNotificationCenter::defaultCenter();
    center.setDelegate(nullptr);
    auto notice = core::make<ui::UserNotification>();
    notice->setTitle("Snaps saved");
    center.deliver(notice);
    EXPECT_EQ(notice->isPresented(), QSystemTrayIcon::isSystemTrayAvailable());
    center.deliver(notice);  // again, with the tray icon made the first time (when there is a tray)
    EXPECT_EQ(center.deliveredNotifications().back(), notice);
}

}  // namespace
