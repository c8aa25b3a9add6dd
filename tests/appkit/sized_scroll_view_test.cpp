// The sized scroll view's magnification limits follow its document view's size through replacements and
// frame changes, and nothing else.
#include <gtest/gtest.h>

#include "appkit/sized_scroll_view.h"

namespace {

std::shared_ptr<ui::View> documentOf(double width, double height)
{
    return core::make<ui::View>(gfx::Rect{0, 0, width, height});
}

TEST(SizedScrollView, LimitsFollowTheDocumentSize)
{
    auto scroll = core::make<kestrane::SizedScrollView>(gfx::Rect{0, 0, 200, 200});
    EXPECT_EQ(scroll->documentMinWidth(), 100);
    EXPECT_EQ(scroll->documentMaxHeight(), 10000);
    // No document: the platform's limits stay.
    EXPECT_EQ(scroll->minMagnification(), 0.25);
    EXPECT_EQ(scroll->maxMagnification(), 4);

    auto document = documentOf(400, 300);
    scroll->setDocumentView(document);
    EXPECT_DOUBLE_EQ(scroll->maxMagnification(), 10000.0 / 300);
    EXPECT_DOUBLE_EQ(scroll->minMagnification(), 0.25);

    // Resized at once through its frame notice.
    document->setFrameSize({50, 50});
    EXPECT_DOUBLE_EQ(scroll->minMagnification(), 2);
    EXPECT_DOUBLE_EQ(scroll->maxMagnification(), 200);
    EXPECT_DOUBLE_EQ(scroll->magnification(), 2) << "the current magnification is clamped";

    // A new size alone changes nothing until the next frame change.
    scroll->setDocumentMaxWidth(400);
    scroll->setDocumentMaxHeight(300);
    EXPECT_DOUBLE_EQ(scroll->maxMagnification(), 200);
    document->setFrameSize({800, 600});
    EXPECT_DOUBLE_EQ(scroll->maxMagnification(), 0.5);
    EXPECT_DOUBLE_EQ(scroll->minMagnification(), 100.0 / 800);

    // A zero side leaves the limits as they were.
    document->setFrameSize({0, 600});
    EXPECT_DOUBLE_EQ(scroll->maxMagnification(), 0.5);
    scroll->setDocumentView(nullptr);
    EXPECT_DOUBLE_EQ(scroll->maxMagnification(), 0.5);
}

TEST(SizedScrollView, AReplacedDocumentNoLongerDrivesTheLimits)
{
    auto scroll = core::make<kestrane::SizedScrollView>(gfx::Rect{0, 0, 200, 200});
    auto first = documentOf(400, 300);
    scroll->setDocumentView(first);
    auto second = documentOf(100, 100);
    scroll->setDocumentView(second);
    EXPECT_DOUBLE_EQ(scroll->minMagnification(), 1);
    EXPECT_DOUBLE_EQ(scroll->maxMagnification(), 100);
    first->setFrameSize({20, 20});
    EXPECT_DOUBLE_EQ(scroll->minMagnification(), 1);
    second->setFrameSize({200, 100});
    EXPECT_DOUBLE_EQ(scroll->minMagnification(), 0.5);
}

TEST(SizedScrollView, SubclassSizesAreReadThroughTheAccessors)
{
    struct Wide : kestrane::SizedScrollView {
        using SizedScrollView::SizedScrollView;
        double documentMaxWidth() const override { return 100000; }
    };
    auto scroll = core::make<Wide>(gfx::Rect{0, 0, 200, 200});
    scroll->setDocumentView(documentOf(400, 300));
    EXPECT_DOUBLE_EQ(scroll->maxMagnification(), 250);
}

TEST(SizedScrollView, GoesQuietlyAndLeavesTheDocumentAlone)
{
    auto document = documentOf(400, 300);
    ::testing::internal::CaptureStdout();
    {
        auto scroll = core::make<kestrane::SizedScrollView>(gfx::Rect{0, 0, 200, 200});
        scroll->setDocumentView(document);
    }
    document->setFrameSize({10, 10});  // nobody hears it any more
    auto another = core::make<kestrane::SizedScrollView>(gfx::Rect{0, 0, 200, 200});
    another->setDocumentView(documentOf(100, 100));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_DOUBLE_EQ(another->maxMagnification(), 100);
}

}  // namespace
