// Movies stored turned whose track asks, through a rotation tag (set by the ffmpeg tool), to be turned back for
// display, as phones write their portrait movies: every picture the program makes of them stands upright at
// the upright size: the snap and its miniature, the exported image and each batch file.
#include "tests/app/batch_fixture.h"
#include "tests/app/document_fixture.h"

#include "app/batch/batch_task.h"
#include "app/document/snaps_manager.h"
#include "foundation/image_encoding.h"
#include "moviekit/movie.h"
#include "platform/gfx/image_reader.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/ffmpeg_tool.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

namespace documenttest {
namespace {

namespace fs = std::filesystem;

// The source stored turned against the tag of `degrees`, which turns it back upright.
std::string storedTurned(const std::string& source, const fs::path& folder, int degrees)
{
    const fs::path path = folder / ("turned" + std::to_string(degrees) + ".mp4");
    return testsupport::copyStoredTurned(source, degrees, path.string());
}

using TurnedMovie = DocumentTest;

TEST_F(TurnedMovie, SnapsTheirMiniaturesAndExportedImagesStandUpright)
{
    testsupport::TempDir movies("turned");
    for (int degrees : {90, 180, 270}) {
        SCOPED_TRACE(std::to_string(degrees) + " degrees");
        auto document = open(storedTurned(clipMovie(), movies.path(), degrees));
        ASSERT_TRUE(document);
        EXPECT_EQ(document->movie()->resolution(), (gfx::Size{160, 120}));
        ASSERT_TRUE(showFrame(*document, 23));
        document->snapImage(nullptr);
        ASSERT_TRUE(waitForSnaps(*document, 1));
        const auto snap = document->snapsManager()->items()[0];
        ASSERT_TRUE(testsupport::runUntil([&] { return snap->image() != nullptr; }));
        EXPECT_EQ(frameOf(snap->image()), 23);
        EXPECT_EQ(kestrane::size(snap->image()), (gfx::Size{160, 120}));

        testsupport::TempDir folder("export");
        document->exports().setExportFormat(kestrane::ImageFormat::png);
        const auto names = document->exports().exportImages({snap}, core::Url::fileURL(folder.path().string()));
        ASSERT_EQ(names.size(), 1u);
        ASSERT_TRUE(testsupport::runUntil([&] { return !vistrel::isBusy(document->state()); }));
        const auto image = gfx::ImageReader::read(core::Url::fileURL((folder / names[0]).string()));
        ASSERT_TRUE(image);
        EXPECT_EQ(kestrane::size(image), (gfx::Size{160, 120}));
        EXPECT_EQ(frameOf(image), 23);
        closeAll();
    }
}

TEST(TurnedMovieBatch, WritesEveryFileUpright)
{
    testsupport::TempDir movies("turned");
    testsupport::TempDir out("out");
    batchtest::TasksEnd tasksEnd;
    const std::string source = batchtest::makeMovie(movies.path());
    for (int degrees : {90, 180, 270}) {
        SCOPED_TRACE(std::to_string(degrees) + " degrees");
        const fs::path folder = out / std::to_string(degrees);
        fs::create_directory(folder);
        auto task =
            batchtest::makeTask(storedTurned(source, movies.path(), degrees), folder, batchtest::everyTenths(10, 30));
        task->start();
        ASSERT_TRUE(batchtest::runUntilFinished({task}));
        EXPECT_EQ(task->errors(), 0);
        const auto names = batchtest::fileNames(folder);
        ASSERT_EQ(names.size(), 2u);
        for (std::size_t k = 0; k < names.size(); ++k) {
            const auto image = gfx::ImageReader::read(core::Url::fileURL((folder / names[k]).string()));
            ASSERT_TRUE(image) << names[k];
            EXPECT_EQ(kestrane::size(image), (gfx::Size{160, 120})) << names[k];
            EXPECT_EQ(testmovie::readFrameIndex(*image), 10 * int(k + 1)) << names[k];
        }
    }
}

}  // namespace
}  // namespace documenttest
