#include "platform/core/strings_table.h"

#include <gtest/gtest.h>

#include <random>

using core::parseStringsTable;
using core::StringsTable;

namespace {

std::optional<StringsTable> parse(const std::string& text)
{
    return parseStringsTable(core::dataFromString(text));
}

const char* sample = R"(/* The window's title */
"Title" = "Snaps of \"%@\"";
// a line comment
"Path" = "C:\\movies";
"Lines" = "one\ntwo\tthree";
"Euro" = "\U20AC \u00e9 \UD83D\UDE00";
Bare = word;
"Same";
"Empty" = "";
)";

}  // namespace

TEST(StringsTable, ReadsPairsEscapesAndComments)
{
    const auto table = parse(sample);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->at("Title"), "Snaps of \"%@\"");
    EXPECT_EQ(table->at("Path"), "C:\\movies");
    EXPECT_EQ(table->at("Lines"), "one\ntwo\tthree");
    EXPECT_EQ(table->at("Euro"), "€ é 😀");
    EXPECT_EQ(table->at("Bare"), "word");
    EXPECT_EQ(table->at("Same"), "Same");
    EXPECT_EQ(table->at("Empty"), "");
    EXPECT_EQ(table->size(), 7u);
}

TEST(StringsTable, ReadsUtf16WithAByteOrderMark)
{
    const std::u16string text = u"\uFEFF\"Key\" = \"Wert ä\";";
    core::Data bytes;
    for (char16_t unit : text) {
        bytes.push_back(std::uint8_t(unit & 0xFF));
        bytes.push_back(std::uint8_t(unit >> 8));
    }
    const auto table = parseStringsTable(bytes);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->at("Key"), "Wert ä");
}

TEST(StringsTable, EmptyAndBlankTablesAreEmpty)
{
    EXPECT_EQ(parse(""), StringsTable());
    EXPECT_EQ(parse("  /* nothing */ \n// here\n"), StringsTable());
}

TEST(StringsTable, MalformedTablesGiveNothing)
{
    const std::vector<std::string> bad = {
        "\"a\" = \"b\"",         // no semicolon
        "\"a\" = ;",             // no value
        "\"a\" \"b\";",          // no equals sign
        "\"a = \"b\";",          // unclosed quote runs to the end
        "\"a\" = \"b\"; /* open", // unclosed comment
        "= \"b\";",
        "\"a\" = \"\\U12\";",     // short escape
        "\"a\" = \"\\UD83D\";",   // lone surrogate
        "\"a\" = \"b\\",
        "\xff\xfe\xfd",       // UTF-16 cut in the middle of a unit
        "\"a\" = \"\xc3\x28\";", // not UTF-8
    };
    for (const auto& text : bad) EXPECT_FALSE(parse(text)) << text;
}

TEST(StringsTable, TruncationsAndRandomBytesNeverCrash)
{
    const std::string text = sample;
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const auto table = parse(text.substr(0, length));
        if (table) {
            EXPECT_LE(table->size(), 7u);
        }
    }
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        core::Data noise(random() % 300);
        for (auto& byte : noise) byte = std::uint8_t(random() % 3 == 0 ? "\"=;\\/*U"[random() % 7] : random());
        parseStringsTable(noise);
    }
    SUCCEED();
}
