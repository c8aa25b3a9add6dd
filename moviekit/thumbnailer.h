// Grabs still frames of a Movie at given times, synchronously: exactly at the time (snaps, exports) or at the
// nearest frame that decodes quickly (previews). Each frame is first scaled down to fit maximumSize (a bound
// on the picture turned upright as its track asks, before the edition), then turned as its track asks and
// shown through the thumbnailer's edition, in one drawing (editionTransform). An exact grab at the time the movie's
// player is paused on takes the picture on screen instead of decoding it again. A thumbnailer serves one queue at a
// time; several may grab one movie at once.
#pragma once

#include "moviekit/edition.h"
#include "platform/gfx/image.h"
#include "platform/gfx/size.h"
#include "platform/media/image_generator.h"
#include "platform/media/time.h"

#include <memory>
#include <optional>
#include <vector>

namespace orvalis {

class Movie;

// The thumbnailer's own failure; the media layer's errors pass through as they are.
inline constexpr const char* thumbnailerErrorDomain = "Orvalis.Thumbnailer";
enum ThumbnailerErrorCode { editionFailed = 1 };

class Thumbnailer {
public:
    // Keeps the movie and copies its edition as it is now; later changes of the movie's edition are not
    // followed.
    explicit Thumbnailer(std::shared_ptr<Movie> movie);
    Thumbnailer(const Thumbnailer&) = delete;
    Thumbnailer& operator=(const Thumbnailer&) = delete;

    const std::shared_ptr<Movie>& movie() const { return movie_; }

    // None shows frames as stored, not even turned as their track asks.
    std::optional<Edition> edition() const { return edition_; }
    void setEdition(const std::optional<Edition>& edition) { edition_ = edition; }
    // Zero (the start value) bounds nothing; otherwise frames are scaled down, keeping their proportions, so
    // that the upright picture fits within it (for a track turned a quarter, the stored frame's width is
    // bounded by the height).
    gfx::Size maximumSize();
    void setMaximumSize(const gfx::Size& size);
    // The frame at exactly that time.
    gfx::ImageRef accurateImage(const media::Time& time);
    // The frame nearest that time that decodes quickly.
    gfx::ImageRef inaccurateImage(const media::Time& time);
    // The frame within `tolerance` before or after the time. Throws core::Error when no frame can be had (an
    // unreadable movie, no video, a time outside the movie, a frame that does not decode) or the edited
    // picture cannot be made; the thumbnailer stays usable.
    gfx::ImageRef image(const media::Time& time, const media::Time& tolerance);

    // One frame of a job: its time and the edition it is shown through (none: as stored).
    struct Grab {
        media::Time time;
        std::optional<Edition> edition;
    };
    // The frames at exactly those times, each through its own edition, within maximumSize, decoded side by side
    // and handed out in order (media::ImageJob, whose answers carry each grab's failure); `stop` ends the job
    // early, `mostDecoders` (above 0) bounds its decoders and `encode` turns each edited frame into the bytes of a
    // file on the thread that decoded it. Throws core::Error for a movie without video that decodes.
    std::unique_ptr<media::ImageJob> accurateImages(const std::vector<Grab>& grabs, media::ImageJob::Stop stop = {},
                                                    int mostDecoders = 0, media::ImageJob::Encode encode = {});

private:
    media::ImageGenerator& generator();
    // The size as stored for the size upright, or the other way: exchanged for a track turned a quarter.
    gfx::Size stored(const gfx::Size& upright) const;
    // The picture the movie's player shows when it is the frame at `time`, fitted to maximumSize; null when
    // the player shows another (or has not been made).
    gfx::ImageRef frameOnScreen(const media::Time& time);
    // The frame through the edition (none: as it is). Throws core::Error when the edited picture cannot be made.
    // `turn` is the movie's natural transform. Any thread.
    static gfx::ImageRef edited(const gfx::ImageRef& frame, const std::optional<Edition>& edition,
                                const gfx::AffineTransform& turn);

    std::shared_ptr<Movie> movie_;
    std::optional<Edition> edition_;
    media::ImageGeneratorRef generator_;
};

}  // namespace orvalis
