#include "moviekit/movie.h"

#include "foundation/asset_extensions.h"
#include "foundation/time_values.h"
#include "foundation/url_extensions.h"
#include "moviekit/player.h"
#include "moviekit/thumbnailer.h"
#include "numerics/size_geometry.h"
#include "platform/core/error.h"
#include "platform/core/notification_center.h"
#include "platform/media/frame_times.h"

namespace orvalis {

namespace {

// The poster frame's bound.
constexpr double posterSide = 300;

}  // namespace

Movie::~Movie() = default;

std::string Movie::filename() const { return url_.deletingPathExtension().lastPathComponent(); }

std::string Movie::title() const
{
    const auto title = kestrane::lastPathTitle(url_);
    return title && !title->empty() ? *title : "Untitled";
}

media::AssetRef Movie::avasset() const
{
    core::MutexLock lock(mutex_);
    if (!avasset_) avasset_ = media::Asset::create(url_, {.preferPreciseDurationAndTiming = true});
    return avasset_;
}

media::Time Movie::duration() const { return avasset()->duration(); }

float Movie::frameRate() const { return kestrane::computeFrameRate(*avasset()); }

bool Movie::playable() const { return avasset()->isPlayable(); }

std::shared_ptr<Player> Movie::player()
{
    core::MutexLock lock(playerMutex_);
    if (!player_) player_ = Player::create(*this);
    return player_;
}

std::shared_ptr<Player> Movie::existingPlayer()
{
    core::MutexLock lock(playerMutex_);
    return player_;
}

void Movie::releasePlayer()
{
    std::shared_ptr<Player> released;
    core::MutexLock lock(playerMutex_);
    released.swap(player_);
}

gfx::Size Movie::resolution() const
{
    const auto asset = avasset();
    core::MutexLock lock(mutex_);
    if (!resolution_) resolution_ = kestrane::computePresentationSize(*asset);
    return *resolution_;
}

gfx::AffineTransform Movie::naturalTransform() const
{
    const auto asset = avasset();
    core::MutexLock lock(mutex_);
    if (!naturalTransform_) naturalTransform_ = kestrane::computeNaturalTransform(*asset);
    return *naturalTransform_;
}

std::shared_ptr<const std::vector<media::Time>> Movie::frameTimes() const
{
    if (auto known = existingFrameTimes()) return known;
    // Read outside the lock: it takes as long as reading the file.
    auto times = std::make_shared<const std::vector<media::Time>>(
        media::videoFrameTimes(*avasset()).value_or(std::vector<media::Time>{}));
    core::MutexLock lock(mutex_);
    if (!frameTimes_) frameTimes_ = std::move(times);
    return frameTimes_;
}

std::shared_ptr<const std::vector<media::Time>> Movie::existingFrameTimes() const
{
    core::MutexLock lock(mutex_);
    return frameTimes_;
}

kestrane::Orientation Movie::orientation() const
{
    const auto asset = avasset();
    core::MutexLock lock(mutex_);
    if (!orientation_) orientation_ = kestrane::computeNaturalOrientation(*asset);
    return *orientation_;
}

Edition Movie::edition() const
{
    core::MutexLock lock(mutex_);
    return edition_;
}

void Movie::setEdition(const Edition& edition)
{
    {
        core::MutexLock lock(mutex_);
        edition_ = edition;
    }
    postEditionChange();
}

void Movie::changeEdition(const std::function<void(Edition&)>& change)
{
    {
        core::MutexLock lock(mutex_);
        change(edition_);
    }
    postEditionChange();
}

void Movie::postEditionChange()
{
    core::NotificationCenter::defaultCenter().post(MovieDidChangeEdition, shared_from_this());
}

gfx::Size Movie::editedResolution() const { return edition().apply(resolution()); }

gfx::ImageRef Movie::thumbnail() const
{
    core::MutexLock lock(mutex_);
    return thumbnail_;
}

gfx::ImageRef Movie::generateThumbnail()
{
    if (auto made = thumbnail()) return made;
    Thumbnailer thumbnailer(sharedAs<Movie>());
    thumbnailer.setMaximumSize(kestrane::Size::square(posterSide));
    gfx::ImageRef poster;
    try {
        poster = thumbnailer.image(kestrane::middle(duration()), media::Time::positiveInfinity());
    } catch (const core::Error&) {
        return nullptr;
    }
    core::MutexLock lock(mutex_);
    thumbnail_ = poster;
    return poster;
}

std::string Movie::description() const { return "<Movie " + url_.path() + ">"; }

}  // namespace orvalis
