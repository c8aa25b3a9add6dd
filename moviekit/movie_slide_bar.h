// The timeline of the movie panel: a bar filled with a strip of thumbnails of the movie, a red cursor at the
// player's time, and a clip frame with a handle at each end that shows the player's clip range and darkens the
// strip outside it. A press and drag on the bar scrubs the player, a drag on a handle moves that end of the
// clip (committed at the release), a small dark popover shows the time under the mouse while dragging, and the
// arrow keys and space step and play.
//
// The view lives on the main thread. The thumbnails are grabbed one at a time on the bar's own serial queue
// from values taken on the main thread, and each comes back to the main queue; a strip of a movie that is no
// longer shown, or one replaced by a newer strip, is dropped.
#pragma once

#include "moviekit/movie.h"
#include "moviekit/player_observer.h"
#include "platform/core/dispatch_queue.h"
#include "platform/gfx/color.h"
#include "platform/gfx/context.h"
#include "platform/gfx/image.h"
#include "platform/media/time.h"
#include "platform/ui/popover.h"
#include "platform/ui/text_field.h"
#include "platform/ui/view.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace orvalis {

class MovieSlideBar : public ui::View, public PlayerObserver {
public:
    explicit MovieSlideBar(const gfx::Rect& frame = {});
    // Follows the view's own frame changes.
    void awake() override;
    // Leaves the notification centre and the movie's player.
    ~MovieSlideBar() override;

    MovieRef movie() const { return movie_; }
    // The same movie again does nothing. Otherwise closes the time popover, leaves the old movie's player,
    // and with a playable movie observes its player and starts a new strip; without one the strip empties and
    // the positions go back to 0, 0 and 1.
    void setMovie(const MovieRef& movie);

    // Time and clip range.
    int observerOptions(const Player& player) override;
    void playerTimeDidChange(Player& player, const media::Time& time) override;
    // Reads the player's clip range (not the value reported).
    void playerClipRangeDidChange(Player& player, const media::TimeRange& clipRange) override;

    // Width of each clip handle, and the inset of the bar at each end.
    double controlWidth() const { return controlWidth_; }
    // Vertical inset of the bar, and the thickness of the clip frame's top and bottom.
    double barStrokeHeight() const { return barStrokeHeight_; }

    // What the bar shows now. Slots of the current strip; its thumbnails so far, in time order, null where a
    // grab failed.
    int thumbnailsCount() const { return thumbnailsCount_; }
    const std::vector<gfx::ImageRef>& thumbnails() const { return thumbnails_; }
    // Fractions of the movie's duration: 0 its start, 1 its end.
    double timePosition() const { return timePosition_; }
    double clipStartPosition() const { return clipStartPosition_; }
    double clipEndPosition() const { return clipEndPosition_; }
    // The popover that shows the time under the mouse; null until the first scrub.
    const std::shared_ptr<ui::Popover>& timePopover() const { return timePopover_; }
    const std::shared_ptr<ui::TextField>& timeTextField() const { return timeTextField_; }

    void mouseDown(const ui::Event& event) override;
    void mouseDragged(const ui::Event& event) override;
    void mouseUp(const ui::Event& event) override;
    // Left and right arrows step a frame, space plays or pauses; other keys go on to the next responder.
    void keyDown(const ui::Event& event) override;
    // Takes the keys once a press has made it first responder.
    bool acceptsFirstResponder() const override { return true; }
    bool mouseDownCanMoveWindow() const override { return false; }

    // Geometry; every rectangle is given the view's bounds.
    gfx::Rect cursorRectForTimePosition(double position) const;
    gfx::Rect sliderBarRectForBounds(const gfx::Rect& rect) const;
    gfx::Rect rangeBarRectForBounds(const gfx::Rect& rect) const;
    gfx::Rect innerBarRectForBounds(const gfx::Rect& rect) const;
    gfx::Rect leftControlRectForBounds(const gfx::Rect& rect) const;
    gfx::Rect rightControlRectForBounds(const gfx::Rect& rect) const;

    void draw(const gfx::Rect& dirty) override;
    void drawSliderBar(gfx::Context& context, const gfx::Rect& rect);
    void drawRangeBar(gfx::Context& context, const gfx::Rect& rect);
    void drawControl(gfx::Context& context, const gfx::Rect& rect);

    // Asks for a strip (a new one only when the slot count changed), unless reloading is off.
    void needsReload();
    // Reloading is off while the view has no superview.
    void viewWillMoveToSuperview(const std::shared_ptr<ui::View>& newSuperview) override;
    // Reloading is off during a live resize; its end asks for a strip.
    void viewWillStartLiveResize() override;
    void viewDidEndLiveResize() override;
    // Every frame change asks for a strip as needsReload does.
    void viewFrameDidChange();

private:
    enum class MouseMove { cursor, leftControl, rightControl };

    void updateFields();
    // The size of the pictures of the strip: the movie's, turned by its edition.
    gfx::Size pictureSize() const;
    // A new strip when the slot count changed, or `anew` (the edition changed).
    void generateThumbnails(bool anew = false);
    // Empties the strip, then queues a worker that fills `count` slots of that size.
    void startStrip(int count, const gfx::Size& slotSize);
    // Main queue: a thumbnail of strip `strip` came back.
    void appendThumbnail(std::uint64_t strip, const gfx::ImageRef& image);
    void clearStrip();
    void setPositions(double time, double clipStart, double clipEnd);
    void setTimePosition(double position);
    void setClipPositions(double start, double end);

    void moveCursorToPoint(const gfx::Point& point);
    void moveLeftControlToPoint(const gfx::Point& point);
    void moveRightControlToPoint(const gfx::Point& point);
    // Seeks there on a later turn of the main queue and shows the time; a later seek queued before that
    // replaces it, and a release performs the one still waiting.
    void asyncSeekToTime(const media::Time& time);
    void performPendingSeek(bool showsTime);
    void showPopover(const media::Time& time);
    // Sizes the label and the popover to the time shown.
    void fitPopoverToTime();
    void closePopover();
    bool holdsPlayableMovie() const;
    void observeEdition(const MovieRef& movie);
    void unobserveEdition();

    MovieRef movie_;
    double controlWidth_ = 14;
    // Corner radius of the bar and of the clip frame.
    double barRadius_ = 5;
    double barStrokeHeight_ = 5;
    // Clip-frame colours from the middle to the right end, and at the left end.
    gfx::Color topColor_ = gfx::Color::gray(0.36);
    gfx::Color bottomColor_ = gfx::Color::gray(0.24);
    // Colour of the grip lines on the handles.
    gfx::Color controlColor_ = gfx::Color::black();
    int thumbnailsCount_ = 0;
    std::vector<gfx::ImageRef> thumbnails_;
    std::shared_ptr<core::DispatchQueue> thumbnailsQueue_;
    std::shared_ptr<ui::Popover> timePopover_;
    std::shared_ptr<ui::TextField> timeTextField_;
    media::Time oldTime_ = media::Time::zero();
    double oldPosition_ = 0;
    double timePosition_ = 0;
    double clipStartPosition_ = 0;
    double clipEndPosition_ = 1;
    MouseMove mouseMove_ = MouseMove::cursor;
    gfx::Point lastPoint_;
    bool disableReload_ = false;
    std::optional<media::Time> pendingSeek_;
    // The strip being filled; a worker of another strip stops, and its thumbnails are dropped.
    std::shared_ptr<std::atomic<std::uint64_t>> currentStrip_ = std::make_shared<std::atomic<std::uint64_t>>(0);
};

}  // namespace orvalis
