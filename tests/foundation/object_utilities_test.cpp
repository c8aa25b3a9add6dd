#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <unordered_map>

#include "foundation/any_key.h"
#include "foundation/bridge.h"
#include "foundation/exception_raise.h"
#include "foundation/objc_sync.h"
#include "foundation/wrappers.h"
#include "platform/core/exception.h"

using kestrane::AnyKey;

namespace {
class Thing : public core::Object {};
}  // namespace

TEST(AnyKey, EqualOnlyForTheSameTypeAndValue)
{
    EXPECT_TRUE(AnyKey(1) == AnyKey(1));
    EXPECT_FALSE(AnyKey(1) == AnyKey(2));
    EXPECT_FALSE(AnyKey(1) == AnyKey(std::string("1")));
    EXPECT_FALSE(AnyKey(1) == AnyKey(1L));
    EXPECT_EQ(AnyKey(std::string("a")).hashValue(), std::hash<std::string>()("a"));

    std::unordered_map<AnyKey, int> map;
    map[AnyKey(1)] = 10;
    map[AnyKey(std::string("1"))] = 20;
    map[AnyKey(1)] += 1;
    EXPECT_EQ(map.size(), 2u);
    EXPECT_EQ(map.at(AnyKey(1)), 11);
}

TEST(Wrappers, ObjectWrapperSharesAndStructWrapperCopies)
{
    auto shared = std::make_shared<kestrane::ObjectWrapper<int>>(1);
    auto alias = shared;
    alias->value = 2;
    EXPECT_EQ(shared->value, 2);

    kestrane::StructWrapper<std::string> original("a");
    auto copy = original;
    copy.value = "b";
    EXPECT_EQ(original.value, "a");
}

TEST(Bridge, RetainedPointersKeepTheObjectAliveUntilTransferred)
{
    auto thing = std::make_shared<Thing>();
    std::weak_ptr<Thing> watch = thing;
    void* plain = kestrane::bridge(thing);
    EXPECT_EQ(kestrane::address(std::shared_ptr<core::Object>(thing)), reinterpret_cast<std::intptr_t>(plain));
    EXPECT_EQ(kestrane::bridge<Thing>(plain), thing);

    void* retained = kestrane::bridgeRetained(thing);
    thing.reset();
    EXPECT_FALSE(watch.expired());
    EXPECT_TRUE(kestrane::bridge<Thing>(retained));
    auto back = kestrane::bridgeTransfer<Thing>(retained);
    ASSERT_TRUE(back);
    EXPECT_FALSE(kestrane::bridgeTransfer<Thing>(retained));
    back.reset();
    EXPECT_TRUE(watch.expired());
}

TEST(ObjcSync, TheMonitorIsFreeAgainAfterTheBlockThrows)
{
    auto object = std::make_shared<Thing>();
    EXPECT_THROW(kestrane::ObjcSync(object, []() -> int { throw std::runtime_error("failed"); }), std::runtime_error);
    std::atomic<bool> entered = false;
    std::thread other([&] { kestrane::ObjcSync(object, [&] { entered = true; }); });
    other.join();
    EXPECT_TRUE(entered);
    EXPECT_EQ(kestrane::ObjcSync(object, [&] { return kestrane::ObjcSync(object, [] { return 7; }); }), 7);
}

TEST(ObjcSync, BlocksOnOneObjectNeverOverlap)
{
    auto object = std::make_shared<Thing>();
    int inside = 0;
    int most = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                kestrane::ObjcSync(object, [&] {
                    most = std::max(most, ++inside);
                    --inside;
                });
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(most, 1);
}

TEST(ExceptionRaise, TheReasonDescribesTheError)
{
    try {
        kestrane::Exception::raise("WriterFailure", core::Error("ImageIO", 3, "cannot write"));
        FAIL() << "raise returned";
    } catch (const core::Exception& exception) {
        EXPECT_EQ(exception.name(), "WriterFailure");
        EXPECT_EQ(exception.reason(), "Reason: Error Domain=ImageIO Code=3 \"cannot write\"");
    }
}
