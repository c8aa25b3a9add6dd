#include "platform/core/type_identifier.h"

#include <gtest/gtest.h>

using core::TypeIdentifier;

namespace {

bool isMovie(const std::string& extension)
{
    const auto id = TypeIdentifier::forExtension(extension);
    return id && TypeIdentifier::conforms(*id, TypeIdentifier::movie);
}

}  // namespace

TEST(TypeIdentifier, EveryMovieExtensionConformsToMovieInAnyCase)
{
    for (const char* extension :
         {"mov", "qt",   "mp4", "m4v", "3g",   "3g2", "3gp",  "3gp2", "3gpp", "sdv", "4k", "mkv",
          "avi", "webm", "ts",  "mts", "m2ts", "mpg", "mpeg", "ogv",  "wmv",  "flv", "dv", "MOV",
          "Mp4", "TS",   "4K",  "vob", "VOB",  "vro", "tod",  "m2p",  "m2v",  "mxf"})
        EXPECT_TRUE(isMovie(extension)) << extension;
}

TEST(TypeIdentifier, OtherFilesAreNotMovies)
{
    for (const char* extension : {"png", "jpg", "mp3", "m4a", "txt", "gif", "xyz", ""})
        EXPECT_FALSE(isMovie(extension)) << extension;
    EXPECT_FALSE(TypeIdentifier::forExtension(""));
    EXPECT_FALSE(TypeIdentifier::forExtension("no-such-extension"));
}

TEST(TypeIdentifier, ImagesAndFolders)
{
    const auto png = TypeIdentifier::forExtension("png");
    ASSERT_TRUE(png);
    EXPECT_TRUE(TypeIdentifier::equal(*png, TypeIdentifier::png));
    EXPECT_TRUE(TypeIdentifier::conforms(*png, TypeIdentifier::image));
    EXPECT_FALSE(TypeIdentifier::conforms(*png, TypeIdentifier::movie));
    EXPECT_TRUE(TypeIdentifier::conforms(*TypeIdentifier::forExtension("JPG"), TypeIdentifier::jpeg));
    EXPECT_TRUE(TypeIdentifier::conforms(*TypeIdentifier::forExtension("tif"), TypeIdentifier::tiff));
    EXPECT_TRUE(TypeIdentifier::conforms(TypeIdentifier::folder, TypeIdentifier::folder));
    EXPECT_FALSE(TypeIdentifier::conforms(TypeIdentifier::folder, TypeIdentifier::movie));
    EXPECT_FALSE(TypeIdentifier::conforms(*png, TypeIdentifier::folder));
}

TEST(TypeIdentifier, AliasesAreEqualAndParentsAreFollowed)
{
    EXPECT_TRUE(TypeIdentifier::equal("video/x-m4v", "video/mp4"));
    EXPECT_FALSE(TypeIdentifier::equal("video/mp4", "video/quicktime"));
    EXPECT_TRUE(TypeIdentifier::conforms("video/x-matroska", "application/x-matroska"));
    EXPECT_FALSE(TypeIdentifier::conforms("application/x-matroska", "video/x-matroska"));
    EXPECT_FALSE(TypeIdentifier::conforms("", TypeIdentifier::movie));
}

TEST(TypeIdentifier, DescriptionsAndDeclarations)
{
    EXPECT_FALSE(TypeIdentifier::description("nothing/known"));
    EXPECT_TRUE(TypeIdentifier::description(*TypeIdentifier::forExtension("sdv")));
    EXPECT_TRUE(TypeIdentifier::description(TypeIdentifier::png));
    const auto declared = TypeIdentifier::declaration(TypeIdentifier::png);
    ASSERT_TRUE(declared);
    EXPECT_EQ(declared->identifier, "image/png");
    EXPECT_NE(std::find(declared->extensions.begin(), declared->extensions.end(), "png"), declared->extensions.end());
    EXPECT_FALSE(TypeIdentifier::declaringBundleURL(TypeIdentifier::png));
}

TEST(TypeIdentifier, FourCharacterCodes)
{
    EXPECT_EQ(TypeIdentifier::osTypeToString(0x4D6F6F56), "MooV");
    EXPECT_EQ(TypeIdentifier::osTypeFromString("MooV"), 0x4D6F6F56u);
    EXPECT_EQ(TypeIdentifier::osTypeFromString(TypeIdentifier::osTypeToString(0xA9FF2000)), 0xA9FF2000u);
    EXPECT_EQ(TypeIdentifier::osTypeFromString("abc"), 0u);
    EXPECT_EQ(TypeIdentifier::osTypeFromString("abcde"), 0u);
    EXPECT_EQ(TypeIdentifier::osTypeFromString("ab\xE2\x82\xAC"), 0u) << "a character beyond U+00FF";
}
