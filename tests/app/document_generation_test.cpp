// Generating a series of snaps over a clip from the generator popover: the popover's range and frame count
// (applied to the range as it stands when the snaps are generated, kept within 0...1000), the busy state while
// the images are grabbed, one append of them all in time order, and busy work that overlaps.
#include "tests/app/document_fixture.h"

#include "app/document/defaults_keys.h"
#include "app/document/document_actions.h"
#include "app/document/generate_popover_controller.h"
#include "app/document/movie_opening.h"
#include "app/document/snaps_manager.h"
#include "foundation/shortcuts.h"
#include "moviekit/player.h"
#include "platform/core/notification_center.h"
#include "tests/platform/core/run_until.h"

namespace documenttest {
namespace {

using DocumentGeneration = DocumentTest;

std::vector<media::Time> times(const orvalis::TimeSplitter& splitter)
{
    std::vector<media::Time> all;
    auto list = splitter.generateTimes();
    while (const auto t = list.next())
        all.push_back(*t);
    return all;
}

void setChecked(ui::Button& box, bool on) { box.setState(on ? ui::ControlState::on : ui::ControlState::off); }

TEST_F(DocumentGeneration, GeneratesTheSeriesOfTheClipAllAtOnceWhileBusy)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    auto player = document->movie()->player();
    player->setClipRange(media::TimeRange::fromTo(frameTime(10), frameTime(43)));
    auto popover = document->generatorPopoverController();
    popover->resetTimes(nullptr);
    EXPECT_EQ(popover->outlets().startTextField.lock()->stringValue(), "00:00:01:000");
    EXPECT_EQ(popover->outlets().endTextField.lock()->stringValue(), "00:00:04:300");
    EXPECT_EQ(popover->frameCount(), 10);
    setChecked(*popover->outlets().includeStartButton.lock(), false);
    popover->changeIncludeStart(popover->outlets().includeStartButton.lock());
    setChecked(*popover->outlets().includeEndButton.lock(), false);
    popover->changeIncludeEnd(popover->outlets().includeEndButton.lock());

    int appends = 0;
    core::NotificationCenter::defaultCenter().addObserver(
        document.get(), vistrel::SnapsManagerDidAppendItemsNotification, document->snapsManager().get(),
        [&](const core::Notification&) { ++appends; });
    popover->generateSnaps(nullptr);
    EXPECT_EQ(document->state(), vistrel::DocumentState::generating);
    EXPECT_FALSE(document->outlets().progressLabel.lock()->isHidden());
    EXPECT_TRUE(document->outlets().snapButton.lock()->isHidden());
    EXPECT_FALSE(enables(*document, vistrel::actions::snapImage));
    EXPECT_FALSE(document->windowShouldClose(*document->outlets().mainWindow.lock()));
    EXPECT_EQ(vistrel::processingDocumentsCount(*kestrane::DC.get()), 1);

    ASSERT_TRUE(waitForSnaps(*document, 10));
    EXPECT_EQ(appends, 1);
    EXPECT_EQ(document->state(), vistrel::DocumentState::snapping);
    EXPECT_TRUE(document->outlets().progressLabel.lock()->isHidden());
    EXPECT_TRUE(document->windowShouldClose(*document->outlets().mainWindow.lock()));
    EXPECT_EQ(vistrel::processingDocumentsCount(*kestrane::DC.get()), 0);
    // Ten inner points of 1.0 s to 4.3 s, three frames apart, each snap the frame holding its time.
    const auto& items = document->snapsManager()->items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->time(), frameTime(13 + 3 * int(i)));
        EXPECT_EQ(frameOf(items[i]->image()), 13 + 3 * int(i)) << i;
    }
    core::NotificationCenter::defaultCenter().removeObserver(
        document.get(), vistrel::SnapsManagerDidAppendItemsNotification, document->snapsManager().get());
}

TEST_F(DocumentGeneration, GeneratedSnapsTakeTheTimesOfTheirFrames)
{
    // Seven inner points of 1.0 s to 4.3 s, 0.4125 s apart: times between frames, and more snaps than frames
    // over a stretch of three, so that some share a frame.
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    for (const auto& [clipEnd, count] : {std::pair{43, 7}, std::pair{13, 7}}) {
        document->movie()->player()->setClipRange(media::TimeRange::fromTo(frameTime(10), frameTime(clipEnd)));
        auto popover = document->generatorPopoverController();
        popover->resetTimes(nullptr);
        popover->outlets().framesTextField.lock()->setIntegerValue(count);
        popover->changeFrames(popover->outlets().framesTextField.lock());
        const std::size_t before = document->snapsManager()->items().size();
        popover->generateSnaps(nullptr);
        ASSERT_TRUE(waitForSnaps(*document, before + times(popover->splitter()).size()));
        const auto& items = document->snapsManager()->items();
        for (std::size_t i = before; i < items.size(); ++i) {
            const int frame = frameOf(items[i]->image());
            ASSERT_GE(frame, 10);
            EXPECT_EQ(items[i]->time(), frameTime(frame)) << "snap " << i - before << " to frame " << clipEnd;
        }
    }
}

TEST_F(DocumentGeneration, OverlappingBusyWorkKeepsTheGuardsUntilTheLastEnds)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    // An export runs while snaps are generated; the generation ends first.
    document->beginBusyWork(vistrel::DocumentState::exporting);
    document->performSnapsGeneration(nullptr);
    ASSERT_TRUE(waitForSnaps(*document, 12));
    EXPECT_EQ(document->state(), vistrel::DocumentState::exporting);
    EXPECT_FALSE(enables(*document, vistrel::actions::snapImage));
    EXPECT_FALSE(document->windowShouldClose(*document->outlets().mainWindow.lock()));
    EXPECT_EQ(vistrel::processingDocumentsCount(*kestrane::DC.get()), 1);
    document->endBusyWork(vistrel::DocumentState::exporting);
    EXPECT_EQ(document->state(), vistrel::DocumentState::snapping);
    EXPECT_TRUE(document->windowShouldClose(*document->outlets().mainWindow.lock()));

    // Two exports at once: the first to end leaves the document busy.
    document->snapsManager()->setSelection(core::IndexSet{2});
    document->beginBusyWork(vistrel::DocumentState::exporting);
    document->beginBusyWork(vistrel::DocumentState::exporting);
    document->endBusyWork(vistrel::DocumentState::exporting);
    EXPECT_EQ(document->state(), vistrel::DocumentState::exporting);
    document->endBusyWork(vistrel::DocumentState::exporting);
    EXPECT_EQ(document->state(), vistrel::DocumentState::selecting);
}

TEST_F(DocumentGeneration, TheFrameCountAppliesToTheRangeAsItStandsAndStaysWithinBounds)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    auto popover = document->generatorPopoverController();
    auto player = document->movie()->player();
    popover->resetTimes(nullptr);  // the whole movie, 0 s to 6 s
    popover->closePopover();       // made, as the document makes it: the check boxes give the flags
    popover->outlets().framesTextField.lock()->setIntegerValue(4);
    popover->changeFrames(popover->outlets().framesTextField.lock());

    // A new start after the count was typed: still four inner points, now between 2 s and 6 s.
    ASSERT_TRUE(showFrame(*document, 20));
    popover->changeStart(nullptr);
    EXPECT_EQ(popover->outlets().startTextField.lock()->stringValue(), "00:00:02:000");
    EXPECT_EQ(popover->splitter().splitCount(), 4);
    auto series = times(popover->splitter());
    ASSERT_EQ(series.size(), 6u);  // with the start and the end, as the check boxes say
    EXPECT_EQ(series.front(), frameTime(20));
    EXPECT_EQ(series[1], frameTime(28));
    EXPECT_EQ(series.back(), frameTime(60));

    // A start at or after the end, an end at or before the start: nothing changes.
    ASSERT_TRUE(showFrame(*document, 15));
    popover->changeEnd(nullptr);
    EXPECT_EQ(popover->outlets().endTextField.lock()->stringValue(), "00:00:06:000");
    ASSERT_TRUE(showFrame(*document, 40));
    popover->changeEnd(nullptr);
    EXPECT_EQ(popover->outlets().endTextField.lock()->stringValue(), "00:00:04:000");
    EXPECT_EQ(popover->splitter().splitCount(), 4);
    ASSERT_TRUE(showFrame(*document, 40));
    popover->changeStart(nullptr);
    EXPECT_EQ(popover->outlets().startTextField.lock()->stringValue(), "00:00:02:000");

    // Reset brings back the clip range with the same count.
    popover->resetTimes(nullptr);
    EXPECT_EQ(popover->outlets().startTextField.lock()->stringValue(), "00:00:00:000");
    EXPECT_EQ(popover->splitter().splitCount(), 4);

    // Counts outside 0...1000 are brought within.
    popover->outlets().framesTextField.lock()->setIntegerValue(-3);
    popover->changeFrames(popover->outlets().framesTextField.lock());
    EXPECT_EQ(popover->frameCount(), 0);
    EXPECT_EQ(popover->outlets().framesTextField.lock()->integerValue(), 0);
    EXPECT_EQ(times(popover->splitter()).size(), 2u);
    popover->outlets().framesTextField.lock()->setIntegerValue(50000);
    popover->changeFrames(popover->outlets().framesTextField.lock());
    EXPECT_EQ(popover->frameCount(), vistrel::GeneratePopoverController::maximumFrames);
    EXPECT_EQ(popover->splitter().splitCount(), vistrel::GeneratePopoverController::maximumFrames);
}

TEST_F(DocumentGeneration, EachOpeningTakesTheClipAsItStands)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    auto player = document->movie()->player();
    auto popover = document->generatorPopoverController();
    popover->outlets().framesTextField.lock()->setIntegerValue(3);
    popover->changeFrames(popover->outlets().framesTextField.lock());
    document->showGeneratorPopover(nullptr);
    ASSERT_TRUE(popover->popoverIsShown());
    EXPECT_EQ(popover->outlets().endTextField.lock()->stringValue(), "00:00:06:000");
    document->showGeneratorPopover(nullptr);
    EXPECT_FALSE(popover->popoverIsShown());

    // The clip is set (as the I and O keys or the strip's handles do) while the popover is closed.
    player->setClipRange(media::TimeRange::fromTo(frameTime(10), frameTime(30)));
    document->showGeneratorPopover(nullptr);
    ASSERT_TRUE(popover->popoverIsShown());
    EXPECT_EQ(popover->outlets().startTextField.lock()->stringValue(), "00:00:01:000");
    EXPECT_EQ(popover->outlets().endTextField.lock()->stringValue(), "00:00:03:000");
    EXPECT_EQ(popover->splitter().timeRange, media::TimeRange::fromTo(frameTime(10), frameTime(30)));
    EXPECT_EQ(popover->frameCount(), 3) << "the count stays";

    // While it is open, a change of the clip leaves the range the user is setting up alone.
    ASSERT_TRUE(showFrame(*document, 20));
    popover->changeEnd(nullptr);
    player->setClipRange(media::TimeRange::fromTo(frameTime(5), frameTime(50)));
    EXPECT_EQ(popover->outlets().endTextField.lock()->stringValue(), "00:00:02:000");
    popover->generateSnaps(nullptr);
    ASSERT_TRUE(waitForSnaps(*document, 5));
    EXPECT_EQ(document->snapsManager()->items().front()->time(), frameTime(10));
    EXPECT_EQ(document->snapsManager()->items().back()->time(), frameTime(20));
}

}  // namespace
}  // namespace documenttest
