#include "platform/core/property_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/support/temp_dir.h"

using core::Array;
using core::Data;
using core::Dictionary;
using core::PropertyList;
using core::Value;

namespace {

std::string text(const Data& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::optional<Value> parse(const std::string& document) { return PropertyList::read(core::dataFromString(document)); }

std::string wrapped(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>";
}

Value everyKind()
{
    return Dictionary{
        {"zeta", "first key stays first"},
        {"int", std::int64_t(-9007199254740993)},
        {"big", INT64_MAX},
        {"real", 0.1 + 0.2},
        {"tiny", 5e-324},
        {"yes", true},
        {"no", false},
        {"when", core::Date::fromUnixTime(1512875090.123)},
        {"bytes", Data{0, 1, 2, 250, 255}},
        {"empty bytes", Data{}},
        {"text", "ü & <tag> \"quoted\"\n\ttab"},
        {"empty", ""},
        {"list", Array{1, "two", Array{}, Dictionary{}}},
        {"nested", Dictionary{{"b", 2}, {"a", 1}}},
    };
}

}  // namespace

TEST(PropertyList, EveryKindRoundTripsExactly)
{
    const auto bytes = PropertyList::write(everyKind());
    ASSERT_TRUE(bytes);
    const auto back = PropertyList::read(*bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, everyKind()) << text(*bytes);
    EXPECT_EQ(back->dictionaryPointer()->keys(), everyKind().dictionaryPointer()->keys());
}

TEST(PropertyList, SpecialRealsAndDatesSurvive)
{
    const auto back = PropertyList::read(
        *PropertyList::write(Array{HUGE_VAL, -HUGE_VAL, std::nan(""), core::Date(-1.5), core::Date(0)}));
    ASSERT_TRUE(back);
    const Array& values = *back->arrayPointer();
    EXPECT_EQ(values[0], Value(HUGE_VAL));
    EXPECT_EQ(values[1], Value(-HUGE_VAL));
    EXPECT_TRUE(std::isnan(*values[2].asDouble()));
    EXPECT_EQ(values[3], Value(core::Date(-1.5)));
    EXPECT_EQ(values[4], Value(core::Date(0)));
}

TEST(PropertyList, DatesKeepTheirMillisecond)
{
    const core::Date date(534567890.1234567);
    const auto back = PropertyList::read(*PropertyList::write(Value(date)));
    ASSERT_TRUE(back && back->date());
    EXPECT_NEAR(back->date()->timeIntervalSince(date), 0.0, 0.0005);
}

TEST(PropertyList, ReadsTheStandardDocumentForm)
{
    const auto value = parse(R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
	<key>CFBundleName</key>
	<string>Vistrel</string>
	<key>Count</key>
	<integer> 42 </integer>
	<key>Ratio</key>
	<real>2.5</real>
	<key>Flag</key>
	<true/>
	<key>When</key>
	<date>2001-01-01T00:01:00Z</date>
	<key>Blob</key>
	<data>
	AAEC
	/w==
	</data>
	<!-- a comment -->
	<key>Empty</key>
	<string/>
</dict>
</plist>
)");
    ASSERT_TRUE(value);
    const Dictionary& dictionary = *value->dictionaryPointer();
    EXPECT_EQ(*dictionary.find("CFBundleName"), Value("Vistrel"));
    EXPECT_EQ(*dictionary.find("Count"), Value(42));
    EXPECT_EQ(*dictionary.find("Ratio"), Value(2.5));
    EXPECT_EQ(*dictionary.find("Flag"), Value(true));
    EXPECT_EQ(*dictionary.find("When"), Value(core::Date(60)));
    EXPECT_EQ(*dictionary.find("Blob"), Value(Data{0, 1, 2, 255}));
    EXPECT_EQ(*dictionary.find("Empty"), Value(""));
}

TEST(PropertyList, MalformedDocumentsGiveNothing)
{
    const std::vector<std::string> bad = {
        "",
        "<plist/>",
        "<plist version=\"1.0\"><dict><key>a</key></dict></plist>",
        "<plist version=\"1.0\"><dict><string>a</string><string>b</string></dict></plist>",
        "<plist version=\"1.0\"><dict><key>a</key><integer>1</integer><key>b</key></dict></plist>",
        "<plist version=\"1.0\"><integer>1.5</integer></plist>",
        "<plist version=\"1.0\"><integer>99999999999999999999</integer></plist>",
        "<plist version=\"1.0\"><integer></integer></plist>",
        "<plist version=\"1.0\"><real>one</real></plist>",
        "<plist version=\"1.0\"><date>yesterday</date></plist>",
        "<plist version=\"1.0\"><date>2001-01-01T00:00:00</date></plist>",
        "<plist version=\"1.0\"><data>!!!</data></plist>",
        "<plist version=\"1.0\"><true>x</true></plist>",
        "<plist version=\"1.0\"><unknown/></plist>",
        "<plist version=\"1.0\"><string>a<b/></string></plist>",
        "<plist version=\"1.0\"><string>a</string><string>b</string></plist>",
        "<plist version=\"1.0\"><string>a</string></plist><plist/>",
        "<plist version=\"1.0\">loose text<string>a</string></plist>",
        "<plist version=\"1.0\"><array><string>a</string></plist>",
        "<dict></dict>",
    };
    for (const auto& document : bad)
        EXPECT_FALSE(parse(document)) << document;
}

TEST(PropertyList, DeepNestingIsRefusedWithoutCrashing)
{
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<array>";
    EXPECT_FALSE(parse(wrapped(deep)));
    std::string fine;
    for (int i = 0; i < 50; ++i)
        fine += "<array>";
    for (int i = 0; i < 50; ++i)
        fine += "</array>";
    EXPECT_TRUE(parse(wrapped(fine)));
}

TEST(PropertyList, EveryTruncationOfAValidDocumentGivesNothing)
{
    const std::string document = text(*PropertyList::write(everyKind()));
    const std::size_t closing = document.rfind("</plist>");
    for (std::size_t length = 0; length < closing; ++length)
        EXPECT_FALSE(parse(document.substr(0, length))) << length;
}

TEST(PropertyList, RandomBytesAndMutationsNeverCrash)
{
    std::mt19937 random(20261209);
    const std::string document = text(*PropertyList::write(everyKind()));
    for (int round = 0; round < 300; ++round) {
        Data noise(random() % 600);
        for (auto& byte : noise)
            byte = std::uint8_t(random());
        EXPECT_FALSE(PropertyList::read(noise));
        std::string mutated = document;
        for (int flips = 0; flips < 4; ++flips)
            mutated[random() % mutated.size()] = char(random());
        const auto value = parse(mutated);
        if (value) {
            EXPECT_TRUE(PropertyList::write(*value));
        }
    }
}

TEST(PropertyList, NullCannotBeWrittenAndNothingIsLeftBehind)
{
    testsupport::TempDir folder;
    const auto url = core::Url::fileURL((folder / "out.plist").string());
    EXPECT_FALSE(PropertyList::write(Array{1, Value()}));
    EXPECT_FALSE(PropertyList::write(Array{1, Value()}, url));
    EXPECT_FALSE(std::filesystem::exists(url.path()));
    ASSERT_TRUE(PropertyList::write(Dictionary{{"a", 1}}, url));
    EXPECT_EQ(PropertyList::read(url), Value(Dictionary{{"a", 1}}));
    EXPECT_FALSE(PropertyList::read(core::Url::fileURL((folder / "missing.plist").string())));
}
