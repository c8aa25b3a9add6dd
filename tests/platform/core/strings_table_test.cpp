#include "platform/core/strings_table.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <random>

using core::parseStringsTable;
using core::StringsTable;

namespace {

std::optional<StringsTable> parse(const std::string& text) { return parseStringsTable(core::dataFromString(text)); }

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
        "\"a\" = \"b\"",           // no semicolon
        "\"a\" = ;",               // no value
        "\"a\" \"b\";",            // no equals sign
        "\"a = \"b\";",            // unclosed quote runs to the end
        "\"a\" = \"b\"; /* open",  // unclosed comment
        "= \"b\";",
        "\"a\" = \"\\U12\";",    // short escape
        "\"a\" = \"\\UD83D\";",  // lone surrogate
        "\"a\" = \"b\\",
        "\xff\xfe\xfd",           // UTF-16 cut in the middle of a unit
        "\"a\" = \"\xc3\x28\";",  // not UTF-8
    };
    for (const auto& text : bad)
        EXPECT_FALSE(parse(text)) << text;
}

// A table cut anywhere gives nothing or only whole pairs of the table; random bytes give nothing or pairs of
// well-formed text.
TEST(StringsTable, CutAndRandomTablesGiveWholePairsOfWellFormedTextOrNothing)
{
    const std::string text = sample;
    const auto whole = parse(text);
    ASSERT_TRUE(whole);
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const auto table = parse(text.substr(0, length));
        if (!table) continue;
        for (const auto& [key, value] : *table) {
            ASSERT_TRUE(whole->count(key)) << "cut at " << length << ": " << key;
            EXPECT_EQ(value, whole->at(key)) << "cut at " << length;
        }
    }
    const auto wellFormed = [](const std::string& s) {
        return QString::fromUtf8(s.data(), qsizetype(s.size())).toUtf8() == QByteArray(s.data(), qsizetype(s.size()));
    };
    std::mt19937 random(7);
    // Random bytes, with the table's own signs among them; and pairs of quoted letters, random bytes and escapes
    // of random UTF-16 units (surrogates among them).
    const auto noise = [&](std::size_t length) {
        std::string bytes(length, ' ');
        for (char& byte : bytes)
            byte = char(random() % 3 == 0 ? "\"=;\\/*U"[random() % 7] : random());
        return bytes;
    };
    const auto escape = [&] {
        return std::string("\\U") + "0D8Fe"[random() % 5] + "0A"[random() % 2] + "9F"[random() % 2] +
               "3c"[random() % 2];
    };
    const auto quoted = [&] {
        std::string bytes = "\"";
        for (std::size_t i = random() % 12; i > 0; --i)
            bytes +=
                random() % 4 == 0 ? escape() : std::string(1, char(random() % 8 == 0 ? random() : 'a' + random() % 26));
        return bytes + "\"";
    };
    int tables = 0;
    for (int round = 0; round < 1000; ++round) {
        const std::string bytes =
            round % 2 ? noise(random() % 300) : quoted() + " = " + quoted() + ";" + quoted() + ";";
        const auto table = parse(bytes);
        if (!table) continue;
        tables += !table->empty();
        for (const auto& [key, value] : *table) {
            EXPECT_TRUE(wellFormed(key)) << round;
            EXPECT_TRUE(wellFormed(value)) << round;
        }
    }
    EXPECT_GT(tables, 100) << "too few tables to tell";
}
