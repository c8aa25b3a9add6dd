// View helpers: centring, emptying and filling containers, redraws from other threads, the screen scale.
#include <thread>

#include <gtest/gtest.h>

#include "appkit/view_extensions.h"
#include "tests/platform/core/run_until.h"

namespace {

TEST(ViewExtensions, CentresEmptiesAndFills)
{
    auto view = core::make<ui::View>(gfx::Rect{0, 0, 100, 50});
    kestrane::setFrameCenter(*view, {200, 200});
    EXPECT_EQ(view->frame(), (gfx::Rect{150, 175, 100, 50}));

    auto container = core::make<ui::View>(gfx::Rect{0, 0, 300, 200});
    for (int i = 0; i < 3; ++i)
        container->addSubview(core::make<ui::View>());
    kestrane::removeAllSubviews(*container);
    EXPECT_TRUE(container->subviews().empty());
    kestrane::removeAllSubviews(*container);

    auto filled = core::make<ui::View>();
    kestrane::addFilledSubView(*container, filled);
    EXPECT_EQ(filled->frame(), (gfx::Rect{0, 0, 300, 200}));
    container->setFrameSize({400, 250});
    EXPECT_EQ(filled->frame(), (gfx::Rect{0, 0, 400, 250}));
    auto other = core::make<ui::View>();
    kestrane::setFilledSubview(*container, other);
    EXPECT_EQ(container->subviews(), std::vector<std::shared_ptr<ui::View>>{other});
}

TEST(ViewExtensions, AsksForARedrawFromAnyThread)
{
    auto view = core::make<ui::View>(gfx::Rect{0, 0, 10, 10});
    const auto before = view.use_count();
    std::thread worker([&] { kestrane::asyncNeedsDiplay(view); });
    worker.join();
    EXPECT_GT(view.use_count(), before);  // the queued block holds the view until it has run
    EXPECT_TRUE(testsupport::runUntil([&] { return view.use_count() == before; }));
}

TEST(ViewExtensions, MagnifiesToTheDocumentWithAMargin)
{
    auto scroll = core::make<ui::ScrollView>(gfx::Rect{0, 0, 560, 540});
    scroll->setMaxMagnification(10);
    kestrane::magnifyToDocumentRect(*scroll);
    EXPECT_EQ(scroll->magnification(), 1) << "no document: nothing happens";
    scroll->setDocumentView(core::make<ui::View>(gfx::Rect{0, 0, 200, 100}));
    kestrane::magnifyToDocumentRect(*scroll);
    // (-40, -40, 280, 180) fits 560 x 540 at 2 (its width decides).
    EXPECT_EQ(scroll->magnification(), 2);
    scroll->setFrameSize({840, 360});
    kestrane::magnifyToDocumentRect(*scroll);
    EXPECT_EQ(scroll->magnification(), 2);  // now its height decides
    scroll->setFrameSize({1400, 1800});
    kestrane::magnifyToDocumentRect(*scroll);
    EXPECT_EQ(scroll->magnification(), 5);
}

TEST(ViewExtensions, TheScreenScaleIsAtLeastOne) { EXPECT_GE(kestrane::screenScale(), 1); }

}  // namespace
