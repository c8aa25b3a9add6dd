// The slide bar driven with mouse and key events sent to its window: scrubbing, dragging the clip handles,
// the time popover, and the keys.
#include "moviekit/movie_slide_bar.h"

#include "appkit/event_key_code.h"
#include "foundation/time_operators.h"
#include "moviekit/player.h"
#include "tests/moviekit/test_movies.h"
#include "tests/platform/core/run_until.h"

#include "platform/ui/window.h"

#include <gtest/gtest.h>

using kestrane::EventKeyCode;
using kestrane::operator/;
using media::Time;
using media::TimeRange;
using orvalis::Movie;
using orvalis::MovieSlideBar;
using testsupport::runUntil;

namespace {

Time seconds(std::int64_t s) { return Time::make(s, 1); }

// Hears the keys the bar passes on.
class KeyRecorder : public ui::Responder {
public:
    void keyDown(const ui::Event& event) override { keys.push_back(event.keyCode); }
    std::vector<std::uint16_t> keys;
};

// A 600 × 50 bar in a window, showing a movie of one frame per second whose player runs on a clock that only
// the test moves (so a playing movie stays where it is).
struct Scene {
    explicit Scene(int movieSeconds)
        : movie(Movie::create(core::Url::fileURL(moviekittest::secondsMovie(movieSeconds)))), player(movie->player())
    {
        player->avplayer()->setClock(clock);
        window->contentView()->addSubview(bar);
        bar->setMovie(movie);
    }
    ~Scene()
    {
        bar->setMovie(nullptr);
        window->close();
    }

    void mouse(ui::EventType type, double x)
    {
        window->sendEvent(ui::Event::mouseEvent(type, {x, 25}, 0, 0, window->windowNumber(), 1, 1));
    }
    void press(double x) { mouse(ui::EventType::leftMouseDown, x); }
    void drag(double x) { mouse(ui::EventType::leftMouseDragged, x); }
    void release(double x) { mouse(ui::EventType::leftMouseUp, x); }
    void key(std::uint16_t code)
    {
        window->sendEvent(
            ui::Event::keyEvent(ui::EventType::keyDown, {}, 0, 0, window->windowNumber(), "", "", false, code));
    }
    // Waits until a seek or a step has landed on `t`, and the bar has heard of it.
    bool landsOn(const Time& t)
    {
        return runUntil([&] { return player->currentTime() == t && bar->timePosition() == t / movie->duration(); });
    }
    void setClip(std::int64_t start, std::int64_t end)
    {
        player->setClipRange(TimeRange::fromTo(seconds(start), seconds(end)));
    }
    std::string popoverText() const
    {
        return bar->timePopover() && bar->timePopover()->isShown() ? bar->timeTextField()->stringValue() : "";
    }

    std::shared_ptr<media::ManualPlaybackClock> clock = std::make_shared<media::ManualPlaybackClock>();
    std::shared_ptr<Movie> movie;
    std::shared_ptr<orvalis::Player> player;
    std::shared_ptr<ui::Window> window = ui::Window::create({0, 0, 600, 50}, ui::StyleMask::titled);
    std::shared_ptr<MovieSlideBar> bar = core::make<MovieSlideBar>(gfx::Rect{0, 0, 600, 50});
};

void expectRange(const TimeRange& range, double start, double end)
{
    EXPECT_NEAR(range.start.seconds(), start, 1e-6);
    EXPECT_NEAR(range.end().seconds(), end, 1e-6);
}

}  // namespace

TEST(MovieSlideBarInteraction, APressScrubsPausingPlaybackUntilTheRelease)
{
    Scene scene(90);
    scene.player->play();
    // A third of the bar, which starts 14 points in and is 572 long.
    scene.press(14 + 572.0 / 3);
    EXPECT_EQ(scene.window->firstResponder(), scene.bar);
    EXPECT_TRUE(scene.player->isPaused());
    ASSERT_TRUE(scene.landsOn(seconds(30)));
    EXPECT_EQ(scene.popoverText(), "00:00:30");

    // The cursor follows the player, not the mouse; the drag keeps scrubbing.
    scene.drag(14 + 572.0 / 2);
    ASSERT_TRUE(scene.landsOn(seconds(45)));
    EXPECT_EQ(scene.popoverText(), "00:00:45");
    scene.release(14 + 572.0 / 2);
    EXPECT_EQ(scene.player->rate(), 1.0f);
    EXPECT_EQ(scene.popoverText(), "");
    EXPECT_EQ(scene.player->currentTime(), seconds(45));

    // A paused movie stays paused; a drag released before its seek ran still ends at the last place.
    scene.player->pause();
    scene.press(14 + 572.0 / 9);
    scene.drag(14 + 572.0 * 2 / 9);
    scene.release(14 + 572.0 * 2 / 9);
    ASSERT_TRUE(scene.landsOn(seconds(20)));
    EXPECT_TRUE(scene.player->isPaused());
    EXPECT_EQ(scene.popoverText(), "");
}

TEST(MovieSlideBarInteraction, PressesBesideTheBarSeekToTheEnds)
{
    Scene scene(90);
    scene.setClip(10, 80);
    scene.press(2);
    scene.release(2);
    ASSERT_TRUE(scene.landsOn(seconds(0)));
    scene.press(598);
    scene.release(598);
    // The last frame, at its own time.
    ASSERT_TRUE(scene.landsOn(seconds(89)));
    expectRange(scene.player->clipRange(), 10, 80);
}

TEST(MovieSlideBarInteraction, DraggingAHandleCommitsTheClipAtTheReleaseAndPutsThePlayerBack)
{
    Scene scene(100);
    scene.setClip(10, 20);
    scene.player->seekAccurately(seconds(50));
    ASSERT_TRUE(scene.landsOn(seconds(50)));

    // The right handle covers 128.4 ... 142.4; a tenth of the bar further right is 30 s.
    scene.press(135);
    scene.drag(135 + 57.2);
    ASSERT_TRUE(scene.landsOn(seconds(30)));
    EXPECT_EQ(scene.popoverText(), "00:00:30");
    EXPECT_NEAR(scene.bar->clipEndPosition(), 0.3, 1e-9);
    // Nothing is committed during the drag.
    expectRange(scene.player->clipRange(), 10, 20);
    scene.release(135 + 57.2);
    expectRange(scene.player->clipRange(), 10, 30);
    ASSERT_TRUE(scene.landsOn(seconds(50)));
    EXPECT_EQ(scene.popoverText(), "");

    // The left handle (57.2 ... 71.2) dragged past the right one stops there; an empty clip is never
    // committed: the clip stays and the handle goes back to its start.
    scene.press(64);
    scene.drag(64 + 300);
    EXPECT_NEAR(scene.bar->clipStartPosition(), 0.3, 1e-9);
    scene.release(64 + 300);
    expectRange(scene.player->clipRange(), 10, 30);
    EXPECT_NEAR(scene.bar->clipStartPosition(), 0.1, 1e-9);
    ASSERT_TRUE(scene.landsOn(seconds(50)));
    // The same for the right handle (185.6 ... 199.6) dragged onto the left one.
    scene.press(190);
    scene.drag(190 - 300);
    EXPECT_NEAR(scene.bar->clipEndPosition(), 0.1, 1e-9);
    scene.release(190 - 300);
    expectRange(scene.player->clipRange(), 10, 30);
    EXPECT_NEAR(scene.bar->clipEndPosition(), 0.3, 1e-9);
    ASSERT_TRUE(scene.landsOn(seconds(50)));
}

TEST(MovieSlideBarInteraction, TheTimeOverADraggedHandleShowsWhole)
{
    Scene scene(100);
    scene.setClip(10, 20);
    scene.press(135);
    scene.drag(135 + 57.2);
    ASSERT_TRUE(scene.landsOn(seconds(30)));
    ASSERT_EQ(scene.popoverText(), "00:00:30");
    const auto label = scene.bar->timeTextField();
    const gfx::Size text = label->intrinsicContentSize();
    const gfx::Rect frame = label->frame();
    EXPECT_GE(frame.width(), text.width);
    EXPECT_GE(frame.height(), text.height);
    const gfx::Size content = scene.bar->timePopover()->contentSize();
    EXPECT_LE(frame.maxX(), content.width);
    EXPECT_LE(frame.maxY(), content.height);
    scene.release(135 + 57.2);
}

TEST(MovieSlideBarInteraction, APressOnAHandleWithoutMovingKeepsEverything)
{
    Scene scene(100);
    scene.setClip(10, 20);
    scene.player->seekAccurately(seconds(50));
    ASSERT_TRUE(scene.landsOn(seconds(50)));
    scene.player->play();
    scene.press(64);
    EXPECT_TRUE(scene.player->isPaused());
    // The player shows the handle's frame while the cursor stays at the old time.
    ASSERT_TRUE(runUntil([&] { return scene.player->currentTime() == seconds(10); }));
    // The bar hears the time on a later turn of the main queue.
    EXPECT_TRUE(runUntil([&] { return scene.bar->timePosition() == 0.1; }));
    scene.release(64);
    expectRange(scene.player->clipRange(), 10, 20);
    EXPECT_EQ(scene.player->rate(), 1.0f);
    ASSERT_TRUE(scene.landsOn(seconds(50)));
}

TEST(MovieSlideBarInteraction, KeysStepPlayAndPassTheRestOn)
{
    Scene scene(90);
    auto next = core::make<KeyRecorder>();
    scene.bar->setNextResponder(next);
    scene.player->seekAccurately(seconds(30));
    ASSERT_TRUE(scene.landsOn(seconds(30)));
    ASSERT_TRUE(scene.window->makeFirstResponder(scene.bar));

    scene.key(EventKeyCode::rightArrow);
    ASSERT_TRUE(scene.landsOn(seconds(31)));
    scene.key(EventKeyCode::leftArrow);
    scene.key(EventKeyCode::leftArrow);
    ASSERT_TRUE(scene.landsOn(seconds(29)));
    scene.key(EventKeyCode::space);
    EXPECT_EQ(scene.player->rate(), 1.0f);
    scene.key(EventKeyCode::space);
    EXPECT_TRUE(scene.player->isPaused());
    // The clip keys belong to the window and its controller: they go on along the responder chain.
    scene.key(EventKeyCode::letterI);
    scene.key(EventKeyCode::letterO);
    EXPECT_EQ(next->keys, (std::vector<std::uint16_t>{EventKeyCode::letterI, EventKeyCode::letterO}));

    // Without a movie every key is swallowed, and presses change nothing.
    scene.bar->setMovie(nullptr);
    scene.key(EventKeyCode::space);
    scene.key(EventKeyCode::letterI);
    scene.press(300);
    scene.release(300);
    EXPECT_EQ(next->keys.size(), 2u);
    EXPECT_TRUE(scene.player->isPaused());
    EXPECT_EQ(scene.bar->timePopover(), nullptr);
}
