#include "foundation/url_extensions.h"

#include <gtest/gtest.h>

#include "platform/core/home_folder.h"

using core::Url;

TEST(UrlExtensions, MovieTypesComeFromTheExtensionAlone)
{
    for (const char* name : {"/a/b.mov", "/a/b.MP4", "/a/b.mkv", "/a/b.ts", "/a/b.3g", "/a/b.sdv", "/a/b.4k"})
        EXPECT_TRUE(kestrane::conformsToMovieUTI(Url::fileURL(name))) << name;
    for (const char* name : {"/a/b.png", "/a/b.mp3", "/a/b", "/a/.mov", "/a/b.nothing"})
        EXPECT_FALSE(kestrane::conformsToMovieUTI(Url::fileURL(name))) << name;
    const auto png = kestrane::UTI(Url::fileURL("/x/shot.png"));
    ASSERT_TRUE(png);
    EXPECT_TRUE(kestrane::conformsToUTI(Url::fileURL("/x/other.PNG"), *png));
    EXPECT_TRUE(kestrane::conformsToUTIID(Url::fileURL("/x/y.jpeg"), core::TypeIdentifier::image));
    EXPECT_FALSE(kestrane::UTI(Url::fileURL("/x/noextension")));
}

TEST(UrlExtensions, TitleDropsOnlyTheLastExtension)
{
    EXPECT_EQ(kestrane::lastPathTitle(Url::fileURL("/m/Holiday.final.mov")), "Holiday.final");
    EXPECT_EQ(kestrane::lastPathTitle(Url::fileURL("/m/plain")), "plain");
}

TEST(UrlExtensions, AbbreviatedPathReplacesOnlyALeadingHomeFolder)
{
    const std::string home = core::homeDirectory();
    EXPECT_EQ(kestrane::abbreviatedPath(Url::fileURL(home + "/Movies/a.mov")), "~/Movies/a.mov");
    EXPECT_EQ(kestrane::abbreviatedPath(Url::fileURL("/tmp/a.mov")), "/tmp/a.mov");
    EXPECT_EQ(kestrane::abbreviatedPath(Url::fileURL(home + "by/a.mov")), home + "by/a.mov");
    EXPECT_EQ(kestrane::abbreviatedPath(Url::fileURL("/Volumes/D" + home + "/a.mov")), "/Volumes/D" + home + "/a.mov");
}

TEST(UrlExtensions, PathsAndUrlsConvertInOrder)
{
    EXPECT_TRUE(kestrane::URL::URLsFromPaths({}).empty());
    EXPECT_TRUE(kestrane::URL::URLsToPaths({}).empty());
    const auto urls = kestrane::URL::URLsFromPaths({"/b/2.mov", "/a/1.mov"});
    ASSERT_EQ(urls.size(), 2u);
    EXPECT_EQ(urls[0], Url::fileURL("/b/2.mov"));
    EXPECT_EQ(kestrane::URL::URLsToPaths(urls), (std::vector<std::string>{"/b/2.mov", "/a/1.mov"}));
}

TEST(FileUTI, WrapsIdentifiersAndCodes)
{
    const auto mp4 = kestrane::FileUTI::fromFileExtension("m4v");
    ASSERT_TRUE(mp4);
    EXPECT_EQ(*mp4, kestrane::FileUTI("video/x-m4v")) << "aliases are the same type";
    EXPECT_TRUE(mp4->conformsToUTIID(core::TypeIdentifier::movie));
    EXPECT_FALSE(mp4->conformsToUTI(kestrane::FileUTI(core::TypeIdentifier::image)));
    EXPECT_TRUE(mp4->localizedDescription());
    EXPECT_TRUE(mp4->declaration());
    EXPECT_FALSE(mp4->bundleURL());
    EXPECT_FALSE(kestrane::FileUTI::fromFileExtension(""));

    const kestrane::FileUTI code(std::uint32_t(0x4D6F6F56));
    EXPECT_EQ(code.rawValue(), "MooV");
    EXPECT_EQ(code.osType(), 0x4D6F6F56u);
}
