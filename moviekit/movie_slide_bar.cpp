// The slide bar's data, its binding to a movie and its player, its geometry, the thumbnail strip and its
// drawing. Mouse and keys are in movie_slide_bar_interaction.cpp.
#include "moviekit/movie_slide_bar.h"

#include "appkit/view_extensions.h"
#include "foundation/drawing_helpers.h"
#include "foundation/player_extensions.h"
#include "foundation/time_operators.h"
#include "foundation/time_values.h"
#include "moviekit/player.h"
#include "moviekit/thumbnailer.h"
#include "numerics/real_number.h"
#include "numerics/size_geometry.h"
#include "platform/core/bundle.h"
#include "platform/core/error.h"
#include "platform/core/main_thread.h"
#include "platform/core/notification_center.h"
#include "platform/gfx/gradient.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvalis {

using kestrane::operator/;
using kestrane::operator*;

namespace {

bool isPositiveFinite(double v) { return std::isfinite(v) && v > 0; }

// The slots of a strip: each as high as the bar's inside, as wide as the picture at that height; as many as
// it takes to cover the inside. None when nothing can be sized: no picture, no room, a view not laid out.
struct Slots {
    gfx::Size size;
    int count = 0;
};

Slots slotsFor(const gfx::Rect& inner, const gfx::Size& picture)
{
    Slots slots;
    if (inner.isNull() || !isPositiveFinite(picture.width) || !isPositiveFinite(picture.height)) return slots;
    slots.size = picture;
    kestrane::scaleToHeight(slots.size, inner.height());
    if (!isPositiveFinite(inner.width()) || !isPositiveFinite(slots.size.width)) return slots;
    slots.count = int(
        std::min<std::int64_t>(kestrane::ceilInt(inner.width() / slots.size.width), std::numeric_limits<int>::max()));
    return slots;
}

std::string thumbnailsQueueLabel()
{
    const auto bundle = core::Bundle::named("Orvalis");
    const auto identifier = bundle ? bundle->identifier() : std::nullopt;
    return identifier.value_or("Orvalis") + ".MovieSlidebar.thumbnailsQueue";
}

}  // namespace

MovieSlideBar::MovieSlideBar(const gfx::Rect& frame) : ui::View(frame) {}

void MovieSlideBar::awake()
{
    ui::View::awake();
    core::NotificationCenter::defaultCenter().addObserver(this, ui::View::frameDidChangeNotification, this,
                                                          [this](const core::Notification&) { viewFrameDidChange(); });
}

MovieSlideBar::~MovieSlideBar()
{
    currentStrip_->fetch_add(1);
    core::NotificationCenter::defaultCenter().removeObserver(this);
    if (holdsPlayableMovie()) movie_->player()->removeObserver(*this);
}

bool MovieSlideBar::holdsPlayableMovie() const { return movie_ && movie_->playable(); }

void MovieSlideBar::setMovie(const MovieRef& movie)
{
    core::assertMainThread();
    if (movie == movie_) return;
    closePopover();
    if (holdsPlayableMovie()) {
        movie_->player()->removeObserver(*this);
        unobserveEdition();
    }
    movie_ = movie;
    pendingSeek_.reset();
    if (holdsPlayableMovie()) {
        movie_->player()->addObserver(*this);
        observeEdition(movie_);
        clearStrip();
        if (!disableReload_) generateThumbnails();
        updateFields();
    } else {
        clearStrip();
        setPositions(0, 0, 1);
    }
}

void MovieSlideBar::observeEdition(const MovieRef& movie)
{
    std::weak_ptr<MovieSlideBar> weakSelf = sharedAs<MovieSlideBar>();
    std::weak_ptr<Movie> weakMovie = movie;
    // Edition changes may be posted from any thread; the strip is rebuilt on the main queue.
    core::NotificationCenter::defaultCenter().addObserver(
        this, MovieDidChangeEdition, movie.get(), [weakSelf, weakMovie](const core::Notification&) {
            core::DispatchQueue::main()->async([weakSelf, weakMovie] {
                auto self = weakSelf.lock();
                if (self && self->movie_ && self->movie_ == weakMovie.lock() && !self->disableReload_)
                    self->generateThumbnails(true);
            });
        });
}

void MovieSlideBar::unobserveEdition()
{
    core::NotificationCenter::defaultCenter().removeObserver(this, MovieDidChangeEdition, movie_.get());
}

int MovieSlideBar::observerOptions(const Player&)
{
    return (PlayerObserverOptions::time | PlayerObserverOptions::clipRange).rawValue;
}

void MovieSlideBar::playerTimeDidChange(Player&, const media::Time& time)
{
    if (!movie_) return;
    const double position = time / movie_->duration();
    if (std::isfinite(position)) setTimePosition(position);
}

void MovieSlideBar::playerClipRangeDidChange(Player& player, const media::TimeRange&)
{
    const auto duration = kestrane::duration(*player.avplayer());
    if (!duration) return;
    const media::TimeRange clip = player.clipRange();
    setClipPositions(clip.start / *duration, clip.end() / *duration);
}

void MovieSlideBar::updateFields()
{
    if (!holdsPlayableMovie()) return;
    const auto& player = movie_->player();
    const auto duration = kestrane::duration(*player->avplayer());
    if (!duration) return;
    const media::TimeRange clip = player->clipRange();
    setPositions(player->avplayer()->currentTime() / *duration, clip.start / *duration, clip.end() / *duration);
}

void MovieSlideBar::setPositions(double time, double clipStart, double clipEnd)
{
    setTimePosition(time);
    setClipPositions(clipStart, clipEnd);
}

void MovieSlideBar::setTimePosition(double position)
{
    if (!std::isfinite(position)) return;
    timePosition_ = position;
    setNeedsDisplay();
}

void MovieSlideBar::setClipPositions(double start, double end)
{
    if (!std::isfinite(start) || !std::isfinite(end)) return;
    clipStartPosition_ = start;
    clipEndPosition_ = end;
    setNeedsDisplay();
}

// Thumbnail strip.

gfx::Size MovieSlideBar::pictureSize() const { return movie_ ? movie_->editedResolution() : gfx::Size{}; }

void MovieSlideBar::generateThumbnails(bool anew)
{
    if (!holdsPlayableMovie()) return;
    const Slots slots = slotsFor(sliderBarRectForBounds(bounds()), pictureSize());
    if (slots.count == thumbnailsCount_ && !anew) return;
    startStrip(slots.count, slots.size);
}

void MovieSlideBar::clearStrip()
{
    currentStrip_->fetch_add(1);
    thumbnailsCount_ = 0;
    thumbnails_.clear();
    setNeedsDisplay();
}

void MovieSlideBar::startStrip(int count, const gfx::Size& slotSize)
{
    clearStrip();
    thumbnailsCount_ = count;
    if (count == 0) return;
    if (!thumbnailsQueue_) thumbnailsQueue_ = core::DispatchQueue::makeSerial(thumbnailsQueueLabel());

    // Everything the worker needs is taken here, on the main thread.
    const std::uint64_t strip = currentStrip_->load();
    const Edition edition = movie_->edition();
    // The bound applies to the upright picture, before the edition turns it.
    const gfx::Size maximumSize = edition.apply(slotSize) * kestrane::screenScale();
    const media::Time duration = movie_->duration();
    std::weak_ptr<MovieSlideBar> weakSelf = sharedAs<MovieSlideBar>();
    thumbnailsQueue_->async(
        [movie = movie_, edition, maximumSize, duration, count, strip, current = currentStrip_, weakSelf] {
            Thumbnailer thumbnailer(movie);
            thumbnailer.setEdition(edition);
            thumbnailer.setMaximumSize(maximumSize);
            kestrane::TimeSplitIterator times = kestrane::split(duration, count);
            while (const auto time = times.next()) {
                if (current->load() != strip) return;
                gfx::ImageRef image;
                try {
                    image = thumbnailer.image(*time, media::Time::positiveInfinity());
                } catch (const core::Error&) {
                    // A frame that cannot be had leaves its entry empty.
                }
                core::DispatchQueue::main()->async([weakSelf, strip, image] {
                    if (auto self = weakSelf.lock()) self->appendThumbnail(strip, image);
                });
            }
        });
}

void MovieSlideBar::appendThumbnail(std::uint64_t strip, const gfx::ImageRef& image)
{
    core::assertMainThread();
    if (strip != currentStrip_->load() || int(thumbnails_.size()) >= thumbnailsCount_) return;
    thumbnails_.push_back(image);
    setNeedsDisplay();
}

void MovieSlideBar::needsReload()
{
    core::assertMainThread();
    if (!disableReload_) generateThumbnails();
}

void MovieSlideBar::viewFrameDidChange()
{
    core::assertMainThread();
    needsReload();
}

void MovieSlideBar::viewWillMoveToSuperview(const std::shared_ptr<ui::View>& newSuperview)
{
    core::assertMainThread();
    ui::View::viewWillMoveToSuperview(newSuperview);
    disableReload_ = newSuperview == nullptr;
}

void MovieSlideBar::viewWillStartLiveResize()
{
    core::assertMainThread();
    ui::View::viewWillStartLiveResize();
    disableReload_ = true;
}

void MovieSlideBar::viewDidEndLiveResize()
{
    core::assertMainThread();
    ui::View::viewDidEndLiveResize();
    disableReload_ = false;
    generateThumbnails();
}

// Geometry.

gfx::Rect MovieSlideBar::cursorRectForTimePosition(double position) const
{
    const gfx::Rect b = bounds();
    const double track = b.width() - 2 * controlWidth_;
    return {controlWidth_ - 1 + b.minX() + position * track, b.minY(), 2, b.height()};
}

gfx::Rect MovieSlideBar::sliderBarRectForBounds(const gfx::Rect& rect) const
{
    return gfx::inset(rect, controlWidth_, barStrokeHeight_);
}

gfx::Rect MovieSlideBar::rangeBarRectForBounds(const gfx::Rect& rect) const
{
    const double track = bounds().width() - 2 * controlWidth_;
    return {clipStartPosition_ * track, rect.minY(),
            (clipEndPosition_ - clipStartPosition_) * track + 2 * controlWidth_, rect.height()};
}

gfx::Rect MovieSlideBar::innerBarRectForBounds(const gfx::Rect& rect) const
{
    return gfx::inset(rangeBarRectForBounds(rect), controlWidth_, barStrokeHeight_);
}

gfx::Rect MovieSlideBar::leftControlRectForBounds(const gfx::Rect& rect) const
{
    return {clipStartPosition_ * (rect.width() - 2 * controlWidth_), rect.minY(), controlWidth_, rect.height()};
}

gfx::Rect MovieSlideBar::rightControlRectForBounds(const gfx::Rect& rect) const
{
    return {clipEndPosition_ * (rect.width() - 2 * controlWidth_) + controlWidth_, rect.minY(), controlWidth_,
            rect.height()};
}

// Drawing.

void MovieSlideBar::draw(const gfx::Rect&)
{
    core::assertMainThread();
    gfx::Context* context = kestrane::CGContext::getCurrentGraphicsContext();
    if (!context) return;
    const gfx::Rect b = bounds();
    drawSliderBar(*context, b);
    drawRangeBar(*context, b);
    drawControl(*context, leftControlRectForBounds(b));
    drawControl(*context, rightControlRectForBounds(b));
}

void MovieSlideBar::drawSliderBar(gfx::Context& context, const gfx::Rect& rect)
{
    const gfx::Rect bar = sliderBarRectForBounds(rect);
    if (bar.isNull()) return;
    context.save();
    const gfx::Path path = kestrane::CGPath::create(bar, barRadius_);
    context.setStrokeColor(gfx::Color::black());
    context.setFillColor(gfx::Color::black());
    context.setLineWidth(1);
    context.beginPath();
    context.addPath(path);
    context.strokePath();
    context.beginPath();
    context.addPath(path);
    context.fillPath();
    context.beginPath();
    context.addPath(path);
    context.clip();
    if (holdsPlayableMovie()) {
        // The strip runs from the bar's left end; its last slot passes the right end and is cut there.
        const Slots slots = slotsFor(bar, pictureSize());
        double x = bar.minX();
        for (const gfx::ImageRef& image : thumbnails_) {
            if (!image) continue;
            context.drawImage(image, {x, bar.minY(), slots.size.width, slots.size.height});
            x += slots.size.width;
        }

        // Darken what lies outside the clip range.
        context.save();
        context.beginPath();
        context.addPath(path);
        const gfx::Rect inner = innerBarRectForBounds(rect);
        if (!inner.isNull()) context.addRect(inner);
        context.clip(gfx::FillRule::evenOdd);
        context.setFillColor(gfx::Color::gray(0, 0.3));
        context.fillRect(bar);
        context.restore();

        const bool movingHandle = mouseMove_ != MouseMove::cursor;
        context.setFillColor(gfx::Color::rgb(0.99, 0.24, 0.22));
        context.fillRect(cursorRectForTimePosition(movingHandle ? oldPosition_ : timePosition_));
    }
    context.restore();
}

void MovieSlideBar::drawRangeBar(gfx::Context& context, const gfx::Rect& rect)
{
    const gfx::Rect outer = rangeBarRectForBounds(rect);
    const gfx::Rect inner = gfx::inset(outer, controlWidth_, barStrokeHeight_);
    const gfx::GradientRef gradient = kestrane::CGGradient::create({bottomColor_, topColor_}, {0, 0.5});
    if (!gradient || outer.isNull()) return;
    double innerRadius = barRadius_;
    if (!inner.isNull() && inner.width() <= 2 * barRadius_) innerRadius = std::max(0.0, inner.width() / 2);
    gfx::Path path;
    if (!inner.isNull()) path.addRoundedRect(inner, innerRadius, innerRadius);
    path.addRoundedRect(outer, barRadius_, barRadius_);
    context.beginPath();
    context.addPath(path);
    // The clip frame's clip stays in force for the rest of the drawing.
    context.clip(gfx::FillRule::evenOdd);
    context.fillRect(rect);
    kestrane::drawHorizontalGradient(context, *gradient, rect);
}

void MovieSlideBar::drawControl(gfx::Context& context, const gfx::Rect& rect)
{
    const double x0 = rect.minX() + (rect.width() - 4) / 2;
    const double y0 = rect.minY() + (rect.height() - 26) / 2;
    context.setFillColor(controlColor_);
    context.fillRect({x0, y0, 1, 26});
    context.fillRect({x0 + 3, y0, 1, 26});
}

}  // namespace orvalis
