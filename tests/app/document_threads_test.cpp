// The document's thread rules are checked: its state changes only on the main thread (debug builds stop a
// call from another thread), and a grab that waits for the thumbnail queue, whose work waits for the main
// thread, stops the program when made on the main thread instead of hanging it.
#include "tests/app/document_fixture.h"

#include <thread>

namespace documenttest {
namespace {

using vistrel::DocumentState;

using DocumentDeathTest = DocumentTest;

TEST_F(DocumentDeathTest, StateChangesOffTheMainThreadStopDebugBuilds)
{
#ifdef NDEBUG
    GTEST_SKIP() << "the check is compiled out of release builds";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    EXPECT_DEATH(std::thread([&] { document->setState(DocumentState::selecting); }).join(),
                 "setState .* is for the main thread");
    EXPECT_DEATH(std::thread([&] { document->beginBusyWork(DocumentState::exporting); }).join(),
                 "beginBusyWork .* is for the main thread");
    EXPECT_DEATH(std::thread([&] { document->updateProgress(0.5); }).join(),
                 "updateProgress .* is for the main thread");
    // On the main thread they go through.
    document->beginBusyWork(DocumentState::exporting);
    document->endBusyWork(DocumentState::exporting);
    EXPECT_EQ(document->state(), DocumentState::snapping);
#endif
}

TEST_F(DocumentDeathTest, AJobOfFramesStopsTheProgramOnTheMainThread)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    const auto frames = document->frames().frameGrabber();
    const vistrel::SnapItems snaps = {vistrel::SnapItem::create(frameTime(12), {}),
                                      vistrel::SnapItem::create(frameTime(3), {})};
    EXPECT_DEATH((void)frames.images(snaps, {}), "FrameGrabber::images is called on the main thread");
    // Off the main thread it gives the frames in the snaps' order.
    std::vector<int> indexes;
    std::thread([&] {
        const auto job = frames.images(snaps, {});
        while (const auto image = vistrel::nextImage(job.get()))
            indexes.push_back(frameOf(*image));
    }).join();
    EXPECT_EQ(indexes, (std::vector<int>{12, 3}));
}

}  // namespace
}  // namespace documenttest
