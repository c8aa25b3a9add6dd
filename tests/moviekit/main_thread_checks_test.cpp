// The movie panel and its timeline belong to the main thread: in every build but the release ones, a call from
// another thread stops the program, naming the call and its place.
#include "moviekit/movie_slide_bar.h"
#include "moviekit/movie_view_controller.h"

#include "platform/core/main_thread.h"

#include <gtest/gtest.h>

#include <thread>

TEST(MoviekitMainThreadDeathTest, PanelAndTimelineCallsFromAnotherThreadStopTheProgram)
{
    if (!core::checksQueues()) GTEST_SKIP() << "release builds do not check";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto movie = orvalis::Movie::create(core::Url::fileURL("/nowhere/a.mp4"));
    const auto bar = core::make<orvalis::MovieSlideBar>(gfx::Rect{0, 0, 600, 50});
    const auto controller = core::make<orvalis::MovieViewController>();
    EXPECT_DEATH(std::thread([&] { bar->setMovie(movie); }).join(),
                 "setMovie \\(.*movie_slide_bar.cpp:[0-9]+\\) is for the main thread");
    EXPECT_DEATH(std::thread([&] { controller->setMovie(movie); }).join(),
                 "setMovie \\(.*movie_view_controller.cpp:[0-9]+\\) is for the main thread");
    EXPECT_DEATH(std::thread([&] { controller->playPause(nullptr); }).join(), "playPause .* is for the main thread");
    bar->setMovie(movie);
    EXPECT_EQ(bar->movie(), movie);
}
