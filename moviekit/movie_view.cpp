#include "moviekit/movie_view.h"

#include "appkit/animation_extensions.h"
#include "appkit/event_key_code.h"
#include "foundation/player_extensions.h"
#include "moviekit/edition_transform.h"
#include "moviekit/player.h"
#include "numerics/rect_geometry.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/main_loop.h"
#include "platform/core/notification_center.h"
#include "platform/gfx/color.h"
#include "platform/ui/layer.h"
#include "platform/ui/window.h"

#include <algorithm>
#include <cmath>

namespace orvalis {

namespace {

gfx::AffineTransform linearPart(gfx::AffineTransform t)
{
    t.tx = 0;
    t.ty = 0;
    return t;
}

// The turn and mirror, about the layer's centre, that takes the picture as the video layer draws it (turned
// by the track's transform) to the picture as presented, exactly as snaps are drawn: the layer's own turn
// undone, then the one presented transform.
gfx::AffineTransform layerTurn(const Movie& movie, const gfx::AffineTransform& layerTransform)
{
    const gfx::AffineTransform presented =
        editionTransform(movie.edition(), movie.resolution(), movie.naturalTransform());
    return gfx::concat(gfx::inverted(yUpLinear(layerTransform)), linearPart(presented));
}

}  // namespace

MovieView::MovieView(const gfx::Rect& frame) : View(frame) {}

void MovieView::awake()
{
    View::awake();
    setWantsLayer(true);
    layer()->setBackgroundColor(gfx::Color::black());
}

MovieView::~MovieView()
{
    if (movie_) unobserveMovie(*movie_);
}

void MovieView::setMovie(const std::shared_ptr<Movie>& movie)
{
    if (movie == movie_) return;
    if (movie_) unobserveMovie(*movie_);
    movie_ = movie;
    if (movie_) observeMovie(*movie_);
    updatePlayerLayer();
}

void MovieView::observeMovie(const Movie& movie)
{
    if (!movie.playable()) return;
    std::weak_ptr<MovieView> weakSelf = sharedAs<MovieView>();
    auto update = [weakSelf] {
        if (auto self = weakSelf.lock()) self->updateLayersGeometry();
    };
    // An edition may change on another thread; the layer follows on the main one.
    core::NotificationCenter::defaultCenter().addObserver(this, MovieDidChangeEdition, &movie,
                                                          [update](const core::Notification&) {
                                                              if (core::MainLoop::isMainThread())
                                                                  update();
                                                              else
                                                                  core::DispatchQueue::main()->async(update);
                                                          });
}

void MovieView::unobserveMovie(const Movie& movie)
{
    core::NotificationCenter::defaultCenter().removeObserver(this, MovieDidChangeEdition, &movie);
}

bool MovieView::showsPlayableMovie() const { return movie_ && movie_->playable(); }

void MovieView::updatePlayerLayer()
{
    if (playerLayer_) {
        playerLayer_->removeFromSuperlayer();
        playerLayer_.reset();
    }
    if (!showsPlayableMovie()) return;
    playerLayer_ = ui::VideoLayer::create(movie_->player()->avplayer());
    playerLayer_->setAutoresizingMask(ui::AutoresizingMask::widthSizable | ui::AutoresizingMask::heightSizable);
    layer()->addSublayer(playerLayer_);
    kestrane::Transaction::disableAnimation([this] { updateLayersGeometry(); });
}

void MovieView::updateLayersGeometry()
{
    if (!movie_ || !playerLayer_) return;
    const gfx::Rect area = bounds();
    gfx::AffineTransform turn = layerTurn(*movie_, playerLayer_->preferredTransform());
    // Turned a quarter, the picture fitted by the layer takes the largest size that fits the view again.
    const gfx::Rect drawn = uprightRect(area);
    const gfx::Rect turned = gfx::applying(drawn, turn);
    if (!drawn.isNull() && turned.width() > 0 && turned.height() > 0) {
        const double scale = std::min(area.width() / turned.width(), area.height() / turned.height());
        if (std::isfinite(scale) && scale > 0) turn = gfx::concat(turn, gfx::AffineTransform::scaling(scale, scale));
    }
    playerLayer_->setAffineTransform(turn);
    playerLayer_->setFrame(area);
}

gfx::Rect MovieView::uprightRect(const gfx::Rect& area) const
{
    return ui::fittedVideoRect(movie_->resolution(), gfx::AffineTransform::identity(), area);
}

gfx::Rect MovieView::videoRect() const
{
    if (!playerLayer_) return bounds();
    gfx::Rect drawn = playerLayer_->videoRect();
    if (drawn.isNull()) drawn = uprightRect(playerLayer_->bounds());
    if (drawn.isNull()) return bounds();
    return kestrane::fitting(gfx::applying(drawn, playerLayer_->affineTransform()), bounds());
}

void MovieView::mouseDown(const ui::Event&)
{
    if (auto window = this->window()) window->makeFirstResponder(sharedAs<ui::Responder>());
}

void MovieView::mouseUp(const ui::Event& event)
{
    if (enabledMouse_ && event.clickCount == 2 && showsPlayableMovie()) movie_->player()->playPause();
}

void MovieView::keyDown(const ui::Event& event)
{
    if (!enabledMouse_ || !showsPlayableMovie()) return;
    switch (event.keyCode) {
    case kestrane::EventKeyCode::leftArrow:
        kestrane::seekPreviousFrame(*movie_->player()->avplayer());
        break;
    case kestrane::EventKeyCode::rightArrow:
        kestrane::seekNextFrame(*movie_->player()->avplayer());
        break;
    case kestrane::EventKeyCode::space:
        movie_->player()->playPause();
        break;
    default:
        View::keyDown(event);
        break;
    }
}

void MovieView::resizeWithOldSuperviewSize(const gfx::Size& oldSize)
{
    View::resizeWithOldSuperviewSize(oldSize);
    kestrane::Transaction::disableAnimation([this] { updateLayersGeometry(); });
}

}  // namespace orvalis
