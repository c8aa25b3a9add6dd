// The slide bar's mouse and keys: a press and drag on the bar scrubs the player, a drag on a handle moves that
// end of the clip (committed at the release, the player put back where it was), a small dark popover shows the
// time under the mouse, the arrows step and space plays or pauses.
#include "moviekit/movie_slide_bar.h"

#include "appkit/appearance_extensions.h"
#include "appkit/control_extensions.h"
#include "appkit/event_extensions.h"
#include "appkit/event_key_code.h"
#include "foundation/player_extensions.h"
#include "foundation/time_operators.h"
#include "foundation/time_values.h"
#include "moviekit/player.h"
#include "numerics/interval.h"
#include "numerics/real_number.h"
#include "platform/core/main_thread.h"
#include "platform/gfx/font.h"
#include "platform/ui/view_controller.h"
#include "platform/ui/window.h"

#include <algorithm>
#include <cmath>

namespace orvalis {

using kestrane::operator/;
using kestrane::operator*;

void MovieSlideBar::mouseDown(const ui::Event& event)
{
    core::assertMainThread();
    if (auto window = this->window()) window->makeFirstResponder(sharedAs<ui::Responder>());
    if (!holdsPlayableMovie()) return;
    const gfx::Point point = kestrane::locationIn(event, *this);
    const auto& player = movie_->player();
    oldTime_ = player->avplayer()->currentTime();
    oldPosition_ = timePosition_;
    player->temporaryPause();
    lastPoint_ = point;
    const gfx::Rect b = bounds();
    if (gfx::contains(leftControlRectForBounds(b), point)) {
        mouseMove_ = MouseMove::leftControl;
        moveLeftControlToPoint(point);
    } else if (gfx::contains(rightControlRectForBounds(b), point)) {
        mouseMove_ = MouseMove::rightControl;
        moveRightControlToPoint(point);
    } else {
        mouseMove_ = MouseMove::cursor;
        moveCursorToPoint(point);
    }
}

void MovieSlideBar::mouseDragged(const ui::Event& event)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    const gfx::Point point = kestrane::locationIn(event, *this);
    switch (mouseMove_) {
    case MouseMove::cursor:
        moveCursorToPoint(point);
        break;
    case MouseMove::leftControl:
        moveLeftControlToPoint(point);
        break;
    case MouseMove::rightControl:
        moveRightControlToPoint(point);
        break;
    }
    lastPoint_ = point;
}

void MovieSlideBar::mouseUp(const ui::Event&)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    // A seek of the drag still waiting is made first, as if it had run before the release.
    performPendingSeek(false);
    const auto& player = movie_->player();
    const media::Time duration = movie_->duration();
    player->temporaryPlay();
    const media::TimeRange clip = player->clipRange();
    if (mouseMove_ != MouseMove::cursor) {
        kestrane::seekAccurately(*player->avplayer(), oldTime_);
        const bool left = mouseMove_ == MouseMove::leftControl;
        const media::Time start = left ? duration * clipStartPosition_ : clip.start;
        const media::Time end = left ? clip.end() : duration * clipEndPosition_;
        // Handles that met make no clip: the committed one stays, and the handle goes back to it.
        if (start < end)
            player->setClipRange(media::TimeRange::fromTo(start, end));
        else
            playerClipRangeDidChange(*player, clip);
    }
    closePopover();
    mouseMove_ = MouseMove::cursor;
    setNeedsDisplay();
}

void MovieSlideBar::keyDown(const ui::Event& event)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    const auto& player = movie_->player();
    switch (event.keyCode) {
    case kestrane::EventKeyCode::leftArrow:
        kestrane::seekPreviousFrame(*player->avplayer());
        break;
    case kestrane::EventKeyCode::rightArrow:
        kestrane::seekNextFrame(*player->avplayer());
        break;
    case kestrane::EventKeyCode::space:
        player->playPause();
        break;
    default:
        ui::View::keyDown(event);
        break;
    }
}

void MovieSlideBar::moveCursorToPoint(const gfx::Point& point)
{
    const gfx::Rect bar = sliderBarRectForBounds(bounds());
    const double position = kestrane::clamp((point.x - bar.minX()) / bar.width(), 0.0, 1.0);
    asyncSeekToTime(movie_->duration() * position);
}

void MovieSlideBar::moveLeftControlToPoint(const gfx::Point& point)
{
    const gfx::Rect bar = sliderBarRectForBounds(bounds());
    const double moved = clipStartPosition_ + (point.x - lastPoint_.x) / bar.width();
    clipStartPosition_ = kestrane::Interval(0, clipEndPosition_).restrictValue(moved);
    setNeedsDisplay();
    asyncSeekToTime(movie_->duration() * clipStartPosition_);
}

void MovieSlideBar::moveRightControlToPoint(const gfx::Point& point)
{
    const gfx::Rect bar = sliderBarRectForBounds(bounds());
    const double moved = clipEndPosition_ + (point.x - lastPoint_.x) / bar.width();
    clipEndPosition_ = kestrane::Interval(clipStartPosition_, 1).restrictValue(moved);
    setNeedsDisplay();
    asyncSeekToTime(movie_->duration() * clipEndPosition_);
}

void MovieSlideBar::asyncSeekToTime(const media::Time& time)
{
    const bool queued = pendingSeek_.has_value();
    pendingSeek_ = time;
    if (queued) return;
    std::weak_ptr<MovieSlideBar> weakSelf = sharedAs<MovieSlideBar>();
    core::DispatchQueue::main()->async([weakSelf] {
        if (auto self = weakSelf.lock()) self->performPendingSeek(true);
    });
}

void MovieSlideBar::performPendingSeek(bool showsTime)
{
    if (!pendingSeek_) return;
    const media::Time time = *pendingSeek_;
    pendingSeek_.reset();
    if (!movie_) return;
    kestrane::seekAccurately(*movie_->player()->avplayer(), time);
    if (showsTime) showPopover(time);
}

void MovieSlideBar::showPopover(const media::Time& time)
{
    if (!timePopover_) {
        auto content = core::make<ui::View>(gfx::Rect{0, 0, 80, 24});
        timeTextField_ = kestrane::labelFrame({4, 4, 72, 18});
        timeTextField_->setFont(gfx::Font::system(14));
        timeTextField_->setAlignment(gfx::TextAlignment::center);
        content->addSubview(timeTextField_);
        auto controller = core::make<ui::ViewController>();
        controller->setView(content);
        timePopover_ = core::make<ui::Popover>();
        timePopover_->setContentViewController(controller);
        timePopover_->setAppearance(kestrane::Appearance::vibrantDark());
    }
    timeTextField_->setStringValue(kestrane::hhmmssDesc(time));
    fitPopoverToTime();
    const double position = time / movie_->duration();
    const gfx::Rect at = cursorRectForTimePosition(std::isfinite(position) ? position : 0);
    timePopover_->show(at, sharedAs<ui::View>(), ui::RectEdge::maxY);
}

void MovieSlideBar::fitPopoverToTime()
{
    // The label grows to its text in the font the platform has (never below its 72 × 18 points), the popover
    // with it, so that no digit is cut off.
    const gfx::Size text = timeTextField_->intrinsicContentSize();
    const double width = std::max(72.0, std::ceil(text.width));
    const double height = std::max(18.0, std::ceil(text.height));
    timeTextField_->setFrame({4, 4, width, height});
    timePopover_->setContentSize({width + 8, height + 6});
}

void MovieSlideBar::closePopover()
{
    if (timePopover_) timePopover_->close();
}

}  // namespace orvalis
