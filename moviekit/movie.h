// One movie file opened for reading, never written: its name and title, its asset, duration, frame rate,
// playability and picture size, its one Player, its current Edition and a small poster frame. Costly values
// (asset, player, resolution, orientation) are made on first use, once, whichever thread asks first; a
// missing or unreadable file is no error here, it shows as a movie that is not playable, with no duration, no
// size and a frame rate of 0. Created and read on any thread; the edition may be changed from any thread, and
// each change posts MovieDidChangeEdition on the changing thread.
#pragma once

#include "moviekit/edition.h"
#include "numerics/orientation.h"
#include "platform/core/mutex.h"
#include "platform/core/object.h"
#include "platform/core/url.h"
#include "platform/gfx/affine_transform.h"
#include "platform/gfx/image.h"
#include "platform/gfx/size.h"
#include "platform/media/asset.h"
#include "platform/media/time.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvalis {

class Player;

// Posted on the default notification centre after every change of a movie's edition, also one that leaves it
// as it was; object: the movie; no user info.
inline const std::string MovieDidChangeEdition = "MovieDidChangeEditionNotification";

class Movie : public core::Object {
public:
    static std::shared_ptr<Movie> create(const core::Url& url) { return core::make<Movie>(url); }
    // Keeps the URL, starts with the identity edition; reads nothing from the file yet.
    explicit Movie(core::Url url) : url_(std::move(url)) {}
    ~Movie() override;

    const core::Url& url() const { return url_; }
    // The file's last path component without its extension.
    std::string filename() const;
    // The same, or "Untitled" when there is none.
    std::string title() const;
    media::AssetRef avasset() const;
    media::Time duration() const;
    // The nominal frame rate of the video; 0 without video.
    float frameRate() const;
    bool playable() const;
    // The movie's one player, made on first use.
    std::shared_ptr<Player> player();
    // The player when it has been made; null before, and nothing is made.
    std::shared_ptr<Player> existingPlayer();
    // Lets the player go, when there is one (those who hold it keep it); the next player() makes a new one.
    void releasePlayer();
    // The start of every video frame on the movie's timeline, in order, read once from the whole file's
    // packets (not on the main thread); empty when they cannot be read.
    std::shared_ptr<const std::vector<media::Time>> frameTimes() const;
    // The same once read; null before, and nothing is read.
    std::shared_ptr<const std::vector<media::Time>> existingFrameTimes() const;
    // The picture's size as the file asks it to be shown: the largest width and the largest height of the
    // video tracks, exchanged when the track turns its picture a quarter; zero without video.
    gfx::Size resolution() const;
    // How the video track is meant to be turned, from its preferred transform.
    kestrane::Orientation orientation() const;
    // The video track's preferred transform (its display matrix), which every picture of the movie is shown
    // through before its edition (moviekit/edition_transform.h).
    gfx::AffineTransform naturalTransform() const;
    Edition edition() const;
    void setEdition(const Edition& edition);
    // Changes the edition in place (edition.rotateLeft(), …), then posts MovieDidChangeEdition. The change
    // runs under the movie's lock: it works on the edition it is given and calls nothing of the movie.
    void changeEdition(const std::function<void(Edition&)>& change);
    // The resolution with width and height exchanged while the edition is turned sideways.
    gfx::Size editedResolution() const;
    gfx::ImageRef thumbnail() const;
    // The poster frame: the frame that decodes quickly nearest the middle of the movie, within 300 × 300,
    // through the current edition. Made once and kept; a failure keeps nothing, so the next call tries again.
    gfx::ImageRef generateThumbnail();

    std::string description() const override;

private:
    void postEditionChange();

    const core::Url url_;
    mutable core::Mutex mutex_;  // guards the asset, the values read from it, the edition and the thumbnail
    mutable media::AssetRef avasset_ GUARDED_BY(mutex_);
    core::Mutex playerMutex_;  // guards the player
    std::shared_ptr<Player> player_ GUARDED_BY(playerMutex_);
    mutable std::optional<gfx::Size> resolution_ GUARDED_BY(mutex_);
    mutable std::optional<kestrane::Orientation> orientation_ GUARDED_BY(mutex_);
    mutable std::optional<gfx::AffineTransform> naturalTransform_ GUARDED_BY(mutex_);
    mutable std::shared_ptr<const std::vector<media::Time>> frameTimes_ GUARDED_BY(mutex_);
    Edition edition_ GUARDED_BY(mutex_);
    gfx::ImageRef thumbnail_ GUARDED_BY(mutex_);
};

using MovieRef = std::shared_ptr<Movie>;

}  // namespace orvalis
