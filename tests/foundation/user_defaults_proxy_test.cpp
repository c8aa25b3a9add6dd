#include "foundation/user_defaults_proxy.h"

#include <gtest/gtest.h>

#include "foundation/shortcuts.h"
#include "tests/support/temp_dir.h"

using core::Array;
using core::Value;
using kestrane::subscript;

namespace {

struct Store {
    testsupport::TempDir folder{"defaults"};
    std::shared_ptr<core::UserDefaults> defaults =
        std::make_shared<core::UserDefaults>((folder / "store.plist").string());
    kestrane::UserDefaults::Proxy operator[](const std::string& key) const { return subscript(defaults, key); }
};

}  // namespace

TEST(UserDefaultsProxy, TheKeyedSetterStoresByType)
{
    Store store;
    store["int"] = 3;
    store["unsigned"] = 7u;
    store["huge"] = std::uint64_t(UINT64_MAX);
    store["real"] = 2.5;
    store["flag"] = true;
    store["text"] = "x";
    store["date"] = core::Date(10);
    store["list"] = Array{"a"};
    EXPECT_EQ(store.defaults->object("int")->kind(), Value::Kind::integer);
    EXPECT_EQ(store.defaults->object("unsigned"), Value(7));
    EXPECT_EQ(store.defaults->object("huge"), Value(INT64_MAX));
    EXPECT_EQ(store.defaults->object("real")->kind(), Value::Kind::real);
    EXPECT_EQ(store.defaults->object("flag")->kind(), Value::Kind::boolean);
    EXPECT_EQ(store.defaults->string("text"), "x");
    EXPECT_EQ(store.defaults->date("date"), core::Date(10));
    EXPECT_EQ(store.defaults->array("list"), Array{"a"});

    store["int"] = nullptr;
    store["real"] = std::optional<double>();
    store["flag"] = std::optional<bool>(false);
    EXPECT_EQ(store.defaults->object("int"), std::nullopt);
    EXPECT_EQ(store.defaults->object("real"), std::nullopt);
    EXPECT_EQ(store.defaults->object("flag"), Value(false));

    struct NotStorable {};
    store["text"] = NotStorable();
    EXPECT_EQ(store.defaults->string("text"), "x");
}

TEST(UserDefaultsProxy, GettersGiveNothingForAnotherKind)
{
    Store store;
    store["text"] = "12";
    store["mixed"] = Array{"a", 1};
    store["names"] = Array{"a", "b"};
    store["flag"] = true;
    store["real"] = 2.75;
    EXPECT_EQ(store["text"].intValue(), std::nullopt);
    EXPECT_EQ(store["text"].number(), std::nullopt);
    EXPECT_EQ(store["text"].string(), "12");
    EXPECT_EQ(store["mixed"].strings(), std::nullopt);
    EXPECT_EQ(store["mixed"].array()->size(), 2u);
    EXPECT_EQ(store["names"].strings(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(store["flag"].intValue(), 1);
    EXPECT_EQ(store["real"].intValue(), 2);
    EXPECT_EQ(store["real"].boolValue(), true);
    EXPECT_EQ(store["real"].cgfloat(), store["real"].doubleValue());
    EXPECT_EQ(store["real"].date(), std::nullopt);
    EXPECT_EQ(store["real"].dictionary(), std::nullopt);
    EXPECT_EQ(store["real"].data(), std::nullopt);
    EXPECT_EQ(store["missing"].object(), std::nullopt);
    EXPECT_EQ(store["missing"].boolValue(), std::nullopt);
}

TEST(UserDefaultsProxy, AProxyReadsTheStoreAnewEachTime)
{
    Store store;
    const auto proxy = store["count"];
    EXPECT_EQ(proxy.intValue(), std::nullopt);
    EXPECT_TRUE(store.defaults->set("count", 4));
    EXPECT_EQ(proxy.intValue(), 4);
}

TEST(UserDefaultsProxy, AddingTreatsAbsentOrOtherKindsAsZero)
{
    Store store;
    store["count"] += 1;
    store["count"] += 2;
    EXPECT_EQ(store.defaults->object("count"), Value(3));
    store["text"] = "five";
    store["text"] += 1;
    EXPECT_EQ(store.defaults->object("text"), Value(1));
    store["real"] += 0.5;
    store["real"] += 0.25;
    EXPECT_EQ(store.defaults->object("real"), Value(0.75));
    store["big"] = INT64_MAX - 1;
    store["big"] += 5;
    EXPECT_EQ(store.defaults->object("big"), Value(INT64_MAX));
}

TEST(UserDefaultsProxy, SetIfAbsentNeverEvaluatesForAPresentKey)
{
    Store store;
    int evaluations = 0;
    auto value = [&] {
        ++evaluations;
        return 42;
    };
    store["answer"].setIfAbsent(value);
    EXPECT_EQ(store.defaults->object("answer"), Value(42));
    store["answer"] = "kept";
    store["answer"].setIfAbsent(value);
    EXPECT_EQ(evaluations, 1);
    EXPECT_EQ(store.defaults->string("answer"), "kept");
}

TEST(Shortcuts, LeadToThePlatformsSharedObjects)
{
    EXPECT_EQ(kestrane::Defaults.get(), core::UserDefaults::standard());
    kestrane::Defaults["ShortcutKey"] = 5;
    EXPECT_EQ(core::UserDefaults::standard()->object("ShortcutKey"), Value(5));
    EXPECT_EQ(kestrane::Defaults["ShortcutKey"].intValue(), 5);
    EXPECT_EQ(kestrane::MB.get(), core::Bundle::main());
    EXPECT_EQ(kestrane::MB->path(), core::Bundle::main()->path());
    EXPECT_EQ(&kestrane::NC.get(), &core::NotificationCenter::defaultCenter());
    EXPECT_EQ(kestrane::FM.get(), core::FileManager::defaultManager());
    EXPECT_TRUE(kestrane::FM->fileExists(core::Bundle::named("Kestrane")->path()));
    EXPECT_EQ(kestrane::DC.get(), ui::DocumentController::shared());
    EXPECT_EQ(&*kestrane::UNC, &ui::UserNotificationCenter::defaultCenter());
}
