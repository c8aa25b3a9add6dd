// A movie file opened for reading. It probes the file once, on first use, from whichever thread asks first,
// and never throws: a missing, empty, truncated or corrupt file is an asset with an invalid duration, no
// tracks, that is neither readable nor playable. Time zero is the start of the movie's video as the container
// states it (the first packet's time; the first frame's when it states none, or of any track without video), so
// that damaged first frames shift no time. A recording cut inside a group of pictures starts at its first key
// frame: the pictures before it refer to frames the file does not hold. Safe from any thread.
#pragma once

#include "platform/core/object.h"
#include "platform/core/url.h"
#include "platform/media/media_type.h"
#include "platform/media/time.h"
#include "platform/media/track.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace media {

namespace detail {
class DecoderPool;
}

struct AssetOptions {
    // Accepted for the callers' sake; durations are always the container's exact ones.
    bool preferPreciseDurationAndTiming = true;
};

class Asset : public core::Object {
public:
    static std::shared_ptr<Asset> create(const core::Url& url, AssetOptions options = {});
    explicit Asset(core::Url url);
    ~Asset() override;

    const core::Url& url() const { return url_; }

    // The movie's length as the container states it, exactly (a duration of 6001/600 s reads 6001/600);
    // invalid when the file cannot be read, indefinite when the container does not know. Where the video's data
    // stops before the stated end (a download that stopped), the end of its last frame that decodes.
    Time duration() const;
    // FFmpeg reads the file and finds at least one track.
    bool isReadable() const;
    // A track's decoder opens and yields a frame.
    bool isPlayable() const;
    // Why the movie is not playable, in words ("No such file or directory", "not a movie", "no video or sound
    // track"); empty when it is.
    std::string problem() const;
    // Whether the file under the asset's path is no longer the one probed (its device, inode, size or
    // modification time differ, or it has gone): frames grabbed now would be another movie's. Asks the file
    // system each time; false when the file could not be asked about when it was probed.
    bool fileChanged() const;
    std::vector<TrackRef> tracks() const;
    std::vector<TrackRef> tracks(MediaType type) const;
    // The movie's video: the track the file marks as default, else its first video track that is not cover art;
    // the one every frame, grab and playback comes from. Null without video.
    TrackRef videoTrack() const;
    // The time of the last video frame that decodes: the movie's end for showing and snapping it (a movie cut
    // short ends there, however long its container says it is). Found on the first call by decoding the
    // movie's last stretch (up to a key frame interval: call it off the main thread), then kept. Invalid
    // without decodable video.
    Time lastFrameTime() const;

    // For the layer's own engines (generators, players) that open their demuxers on the same file.
    // The file's path.
    std::string path() const { return url_.path(); }
    // The container time, in seconds, that is time zero on the asset's timeline.
    Time timeOrigin() const;
    // The pool of opened decoders of the movie's video track; null without a playable video track.
    detail::DecoderPool* videoDecoders() const;
    // The decoders of finished grabs (the probe's first one among them) are kept for the next grabs. Told so,
    // an asset keeps them only while its decoders are held (an asset that is mostly only listed): those kept
    // now are closed, and later ones close as they come back while nobody holds them.
    void keepIdleDecodersOnlyWhileHeld() const;
    // While the result lives, the asset's decoders of finished grabs are kept for the next grabs.
    static std::shared_ptr<void> holdIdleDecoders(const std::shared_ptr<const Asset>& asset);

    std::string description() const override;

private:
    struct Probe;
    const Probe& probe() const;

    core::Url url_;
    mutable std::once_flag probed_;
    mutable std::unique_ptr<Probe> probe_;
    mutable std::once_flag lastFrameFound_;
    mutable Time lastFrameTime_ = Time::invalid();
};

using AssetRef = std::shared_ptr<Asset>;

}  // namespace media
