#include "platform/core/value.h"

#include <gtest/gtest.h>

using core::Array;
using core::Dictionary;
using core::Value;

TEST(Value, NumbersAndBooleansReadAsOneAnotherButStringsNever)
{
    EXPECT_EQ(Value(true).asInt(), 1);
    EXPECT_EQ(Value(3).asBool(), true);
    EXPECT_EQ(Value(0).asBool(), false);
    EXPECT_EQ(Value(2.9).asInt(), 2);
    EXPECT_EQ(Value(-2.9).asInt(), -2);
    EXPECT_EQ(Value(1e300).asInt(), INT64_MAX);
    EXPECT_EQ(Value(7).asDouble(), 7.0);
    EXPECT_EQ(Value("3").asInt(), std::nullopt);
    EXPECT_EQ(Value("1").asBool(), std::nullopt);
    EXPECT_EQ(Value().asDouble(), std::nullopt);
    EXPECT_EQ(Value(std::uint64_t(UINT64_MAX)).asInt(), INT64_MAX);
}

TEST(Value, TypedAccessorsNeverConvert)
{
    EXPECT_EQ(Value("x").string(), "x");
    EXPECT_EQ(Value(1).string(), std::nullopt);
    EXPECT_EQ(Value(core::Date(5)).date(), core::Date(5));
    EXPECT_EQ(Value(5.0).date(), std::nullopt);
    EXPECT_EQ(Value(core::Data{1, 2}).data(), (core::Data{1, 2}));
    EXPECT_EQ(Value(Array{}).array(), Array{});
    EXPECT_EQ(Value(Dictionary{}).array(), std::nullopt);
    EXPECT_TRUE(Value(false).isNumber());
    EXPECT_FALSE(Value("1").isNumber());
    EXPECT_NE(Value(1), Value(1.0));
}

TEST(Value, DictionaryKeepsInsertionOrderAndReplacesInPlace)
{
    Dictionary dictionary{{"b", 1}, {"a", 2}};
    dictionary.set("c", 3);
    dictionary.set("b", "two");
    EXPECT_EQ(dictionary.keys(), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(*dictionary.find("b"), Value("two"));
    EXPECT_TRUE(dictionary.remove("a"));
    EXPECT_FALSE(dictionary.remove("a"));
    EXPECT_EQ(dictionary.keys(), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(dictionary.find("a"), nullptr);
    EXPECT_EQ(dictionary, (Dictionary{{"c", 3}, {"b", "two"}}));
    EXPECT_NE(dictionary, (Dictionary{{"c", 3}, {"b", "two"}, {"d", 4}}));
    EXPECT_NE(dictionary, (Dictionary{{"c", 3}, {"b", 2}}));
}

TEST(Value, DescriptionsAreShortAndExact)
{
    EXPECT_EQ(Value(0.1).description(), "0.1");
    EXPECT_EQ(Value(2.0).description(), "2");
    EXPECT_EQ(Value(true).description(), "1");
    EXPECT_EQ(Value(Array{1, "a"}).description(), "(1, a)");
    EXPECT_EQ(Value(Dictionary{{"k", 1.5}}).description(), "{k = 1.5}");
    EXPECT_EQ(Value(core::Date(86400.5)).description(), "2001-01-02 00:00:00 +0000");
}
