// Controls bound to the user defaults: the stored value shows, its changes follow (also from other threads),
// and edits go back under the key in the kind it held, or not at all when the defaults refuse them.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <limits>
#include <thread>

#include "platform/core/user_defaults.h"
#include "platform/ui/button.h"
#include "platform/ui/defaults_binding.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/detail/qt_token_edit.h"
#include "platform/ui/number_formatter.h"
#include "platform/ui/text_field.h"
#include "platform/ui/token_field.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"

namespace {

struct Store {
    testsupport::TempDir folder{"defaults-binding"};
    std::shared_ptr<core::UserDefaults> defaults =
        std::make_shared<core::UserDefaults>((folder / "Preferences.plist").string());
};

QLineEdit* editOf(ui::Control& control) { return qobject_cast<QLineEdit*>(ui::controlWidget(control)); }

TEST(DefaultsBinding, ShowsTheStoredTextFollowsItAndStoresEdits)
{
    Store store;
    EXPECT_TRUE(store.defaults->set("OutputName", "snap"));
    auto field = core::make<ui::TextField>(gfx::Rect{0, 0, 100, 20});
    ui::bindToDefaults(field, "OutputName", store.defaults);
    auto* edit = editOf(*field);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text(), "snap");
    const auto info = field->infoForBinding(ui::valueBinding);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->observedKeyPath, "OutputName");

    EXPECT_TRUE(store.defaults->set("OutputName", "still"));
    EXPECT_TRUE(store.defaults->set("Other", "ignored"));
    EXPECT_EQ(edit->text(), "still");

    edit->setText("frame");
    field->commitEditing();
    EXPECT_EQ(store.defaults->string("OutputName"), "frame");
    EXPECT_EQ(edit->text(), "frame");

    // A text the defaults cannot keep exactly is not kept, and the field shows again the text that is.
    edit->setText("fr\x01me");
    field->commitEditing();
    EXPECT_EQ(store.defaults->string("OutputName"), "frame");
    EXPECT_EQ(edit->text(), "frame");

    store.defaults->remove("OutputName");
    EXPECT_EQ(edit->text(), "");

    field->unbind(ui::valueBinding);
    EXPECT_TRUE(store.defaults->set("OutputName", "after"));
    EXPECT_EQ(edit->text(), "");
}

TEST(DefaultsBinding, EditsKeepTheKindTheKeyHeld)
{
    Store store;
    EXPECT_TRUE(store.defaults->set("PlaySound", true));
    EXPECT_TRUE(store.defaults->set("Count", 3));
    auto check = core::make<ui::Button>(gfx::Rect{0, 0, 80, 20});
    check->setButtonType(ui::ButtonType::switchButton);
    ui::bindToDefaults(check, "PlaySound", store.defaults);
    EXPECT_EQ(check->state(), ui::ControlState::on);
    check->performClick(nullptr);
    ASSERT_TRUE(store.defaults->object("PlaySound"));
    EXPECT_EQ(*store.defaults->object("PlaySound"), core::Value(false));
    EXPECT_TRUE(store.defaults->set("PlaySound", true));
    EXPECT_EQ(check->state(), ui::ControlState::on);

    auto count = core::make<ui::TextField>(gfx::Rect{0, 0, 100, 20});
    count->setFormatter(core::make<ui::NumberFormatter>());
    ui::bindToDefaults(count, "Count", store.defaults);
    EXPECT_EQ(count->integerValue(), 3);
    editOf(*count)->setText("5");
    count->commitEditing();
    EXPECT_EQ(*store.defaults->object("Count"), core::Value(5));

    // A key without a value takes a number as a real.
    auto scale = core::make<ui::TextField>(gfx::Rect{0, 0, 100, 20});
    scale->setFormatter(core::make<ui::NumberFormatter>());
    ui::bindToDefaults(scale, "Scale", store.defaults);
    editOf(*scale)->setText("2");
    scale->commitEditing();
    EXPECT_EQ(*store.defaults->object("Scale"), core::Value(2.0));
}

TEST(DefaultsBinding, ATokenFieldKeepsAnArrayOfItsTokens)
{
    Store store;
    EXPECT_TRUE(store.defaults->set("Markups", core::Array{"{name}", ", ", "{time}"}));
    auto field = core::make<ui::TokenField>(gfx::Rect{0, 0, 200, 20});
    field->setKnownTokens({"{name}", "{time}", "{index}"});
    ui::bindToDefaults(field, "Markups", store.defaults);
    EXPECT_EQ(field->tokens(), (std::vector<std::string>{"{name}", ", ", "{time}"}));
    field->setTokens({"{index}", " x,y "});
    EXPECT_EQ(*store.defaults->object("Markups"), core::Value(core::Array{"{name}", ", ", "{time}"}));

    // An edit goes back as an array, every entry as it stands.
    auto* edit = dynamic_cast<ui::TokenEdit*>(ui::controlWidget(*field));
    ASSERT_TRUE(edit);
    edit->selectAll();
    QApplication::clipboard()->setMimeData(ui::mimeDataOfEntries({{"{time}", true}, {" x,y ", false}}));
    edit->paste();
    EXPECT_EQ(*store.defaults->object("Markups"), core::Value(core::Array{"{time}", " x,y "}));
    EXPECT_EQ(field->tokens(), (std::vector<std::string>{"{time}", " x,y "}));
}

TEST(DefaultsBinding, AChangeOnAnotherThreadShowsOnTheMainThread)
{
    Store store;
    auto field = core::make<ui::TextField>(gfx::Rect{0, 0, 100, 20});
    ui::bindToDefaults(field, "Title", store.defaults);
    std::thread([&] { EXPECT_TRUE(store.defaults->set("Title", "from afar")); }).join();
    EXPECT_TRUE(testsupport::runUntil([&] { return field->stringValue() == "from afar"; }));

    // A control gone leaves the binding's pending work and later changes harmless.
    std::thread([&] { EXPECT_TRUE(store.defaults->set("Title", "late")); }).join();
    field.reset();
    EXPECT_TRUE(store.defaults->set("Title", "later"));
    core::MainLoop::processEvents(0.01);
}

}  // namespace

namespace {

TEST(DefaultsBinding, HugeStoredNumbersComeWithinTheControlsRange)
{
    Store store;
    const std::vector<core::Value> huge = {core::Value(std::numeric_limits<std::int64_t>::max()), core::Value(1e300),
                                           core::Value(std::numeric_limits<std::int64_t>::min()), core::Value(-1e300)};
    for (const auto& value : huge) {
        SCOPED_TRACE(value.asDouble().value_or(0));
        EXPECT_TRUE(store.defaults->set("count", value));
        const bool positive = *value.asDouble() > 0;

        auto limited = core::make<ui::TextField>(gfx::Rect{0, 0, 100, 20});
        auto formatter = core::make<ui::NumberFormatter>();
        formatter->setMinimum(1);
        formatter->setMaximum(1000);
        limited->setFormatter(formatter);
        ui::bindToDefaults(limited, "count", store.defaults);
        EXPECT_EQ(limited->integerValue(), positive ? 1000 : 1);

        // Without a range of its own, the nearest whole number a control can give.
        auto unlimited = core::make<ui::TextField>(gfx::Rect{0, 0, 100, 20});
        ui::bindToDefaults(unlimited, "count", store.defaults);
        EXPECT_EQ(unlimited->integerValue(),
                  positive ? std::numeric_limits<long>::max() : std::numeric_limits<long>::min());
    }
}

}  // namespace
