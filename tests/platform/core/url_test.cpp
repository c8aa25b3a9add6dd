#include "platform/core/url.h"

#include <gtest/gtest.h>

#include "platform/core/data.h"
#include "tests/support/temp_dir.h"

using core::Url;

TEST(Url, FileUrlKeepsThePathAndEncodesItsText)
{
    const Url url = Url::fileURL("/home/ann/Movies/a b%.mov");
    EXPECT_TRUE(url.isFileURL());
    EXPECT_EQ(url.path(), "/home/ann/Movies/a b%.mov");
    EXPECT_EQ(url.absoluteString(), "file:///home/ann/Movies/a%20b%25.mov");
    EXPECT_EQ(url.lastPathComponent(), "a b%.mov");
    EXPECT_EQ(url.pathExtension(), "mov");
}

TEST(Url, ComponentsAndExtensionsComeOffAndOn)
{
    const Url movie = Url::fileURL("/tmp/clips/take.1.mp4");
    EXPECT_EQ(movie.deletingPathExtension().path(), "/tmp/clips/take.1");
    EXPECT_EQ(movie.deletingLastPathComponent().path(), "/tmp/clips/");
    EXPECT_EQ(movie.deletingLastPathComponent().appendingPathComponent("x.png").path(), "/tmp/clips/x.png");
    EXPECT_EQ(Url::fileURL("/tmp/a").appendingPathExtension("tiff").path(), "/tmp/a.tiff");
    EXPECT_EQ(Url::fileURL("/tmp/.hidden").pathExtension(), "");
    EXPECT_EQ(Url::fileURL("/tmp/noext").deletingPathExtension().path(), "/tmp/noext");
    EXPECT_EQ(Url::fileURL("/").lastPathComponent(), "/");
}

TEST(Url, FromStringRefusesWhatIsNotAStrictAbsoluteUrl)
{
    EXPECT_FALSE(Url::fromString(""));
    EXPECT_FALSE(Url::fromString("has space"));
    EXPECT_FALSE(Url::fromString("relative/path"));
    const auto web = Url::fromString("https://example.org/a%20b?q=1");
    ASSERT_TRUE(web);
    EXPECT_FALSE(web->isFileURL());
    EXPECT_EQ(web->path(), "/a b");
}

TEST(Data, AtomicWriteReplacesWholeFileAndReadsBack)
{
    testsupport::TempDir dir;
    const std::string path = (dir / "file.bin").string();
    ASSERT_TRUE(core::writeAtomically(core::dataFromString("first"), path));
    ASSERT_TRUE(core::writeAtomically(core::dataFromString("second"), Url::fileURL(path)));
    EXPECT_EQ(core::readUTF8(path), "second");
    EXPECT_FALSE(core::writeAtomically(core::dataFromString("x"), (dir / "missing/folder.bin").string()));
    EXPECT_FALSE(core::readData((dir / "absent").string()));
    ASSERT_TRUE(core::writeAtomically(core::Data{0xff, 0xfe, 0x41}, path));
    EXPECT_FALSE(core::readUTF8(path)) << "invalid UTF-8 is refused";
}
