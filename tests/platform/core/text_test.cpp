#include <gtest/gtest.h>
#include <limits>
#include <random>

#include "platform/core/character_set.h"
#include "platform/core/double_description.h"
#include "platform/core/graphemes.h"
#include "platform/core/home_folder.h"

using Offsets = std::vector<std::size_t>;

TEST(Graphemes, CombiningMarksFlagsAndBadBytesEachMakeOneCharacter)
{
    EXPECT_EQ(core::graphemeBoundaries(""), (Offsets{0}));
    EXPECT_EQ(core::graphemeBoundaries("ab"), (Offsets{0, 1, 2}));
    EXPECT_EQ(core::graphemeBoundaries("e\xCC\x81x"), (Offsets{0, 3, 4}));                         // e + U+0301, x
    EXPECT_EQ(core::graphemeBoundaries("\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7!"), (Offsets{0, 8, 9}));  // a flag
    EXPECT_EQ(core::graphemeBoundaries("a\xFF"
                                       "b"),
              (Offsets{0, 1, 2, 3}));
    EXPECT_EQ(core::graphemeBoundaries("\r\n"), (Offsets{0, 2}));
}

TEST(Trimming, TakesOnlyTheSetFromBothEnds)
{
    EXPECT_EQ(core::trimming("\t a b \n", core::CharacterSet::whitespaces()), "a b \n");
    EXPECT_EQ(core::trimming("\t a b \n", core::CharacterSet::whitespacesAndNewlines()), "a b");
    EXPECT_EQ(core::trimming("\xC2\xA0x\xE2\x80\x83", core::CharacterSet::whitespaces()), "x")
        << "no-break space and em space are spaces";
    EXPECT_EQ(core::trimming("   ", core::CharacterSet::whitespaces()), "");
    EXPECT_EQ(core::trimming("--\xC3\xA9--", core::CharacterSet::charactersIn("-")), "\xC3\xA9");
}

TEST(DoubleDescription, ShortestRoundTripWithAFraction)
{
    EXPECT_EQ(core::describe(1), "1.0");
    EXPECT_EQ(core::describe(0), "0.0");
    EXPECT_EQ(core::describe(-0.0), "-0.0");
    EXPECT_EQ(core::describe(0.1), "0.1");
    EXPECT_EQ(core::describe(-2.5), "-2.5");
    EXPECT_EQ(core::describe(1.0 / 3), "0.3333333333333333");
    EXPECT_EQ(core::describe(0.0001), "0.0001");
    EXPECT_EQ(core::describe(0.00001), "1e-05");
    EXPECT_EQ(core::describe(9007199254740992.0), "9007199254740992.0");
    EXPECT_EQ(core::describe(1e16), "1e+16");
    EXPECT_EQ(core::describe(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(core::describe(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(core::describe(std::numeric_limits<double>::quiet_NaN()), "nan");
}

TEST(HomeFolder, OnlyALeadingWholeHomeFolderBecomesATilde)
{
    const std::string home = core::homeDirectory();
    ASSERT_FALSE(home.empty());
    ASSERT_NE(home, "/");
    EXPECT_EQ(core::abbreviatingWithTilde(home), "~");
    EXPECT_EQ(core::abbreviatingWithTilde(home + "/"), "~");
    EXPECT_EQ(core::abbreviatingWithTilde(home + "/Movies/a.mov"), "~/Movies/a.mov");
    EXPECT_EQ(core::abbreviatingWithTilde(home + "by/x"), home + "by/x");
    EXPECT_EQ(core::abbreviatingWithTilde("/data" + home + "/x"), "/data" + home + "/x");
    EXPECT_EQ(core::abbreviatingWithTilde("/tmp/x"), "/tmp/x");
    EXPECT_FALSE(core::userName().empty());
}

TEST(HomeFolder, AnyFolderCanStandForHome)
{
    EXPECT_EQ(core::abbreviatingWithTilde("/home/bob/x", "/home/bob/"), "~/x");
    EXPECT_EQ(core::abbreviatingWithTilde("/home/bobby/x", "/home/bob"), "/home/bobby/x");
    EXPECT_EQ(core::abbreviatingWithTilde("/Volumes/D/home/bob/x", "/home/bob"), "/Volumes/D/home/bob/x");
    EXPECT_EQ(core::abbreviatingWithTilde("/x", "/"), "/x") << "the root is no home to abbreviate";
    EXPECT_EQ(core::abbreviatingWithTilde("/x", ""), "/x");
}

TEST(Graphemes, RandomBytesGiveIncreasingOffsetsToTheEnd)
{
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 64, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random() % 256);
        const Offsets offsets = core::graphemeBoundaries(bytes);
        ASSERT_EQ(offsets.front(), 0u);
        ASSERT_EQ(offsets.back(), bytes.size());
        for (std::size_t i = 1; i < offsets.size(); ++i)
            ASSERT_GT(offsets[i], offsets[i - 1]);
    }
}
