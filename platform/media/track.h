// One track of a movie (a video, audio or other stream), as its asset found it when probing: the facts the
// program reads about it. Immutable once made; safe from any thread.
#pragma once

#include "platform/core/object.h"
#include "platform/gfx/affine_transform.h"
#include "platform/gfx/size.h"
#include "platform/media/format_description.h"
#include "platform/media/media_type.h"
#include "platform/media/time_range.h"

#include <vector>

namespace media {

struct TrackInfo {
    int trackID = 0;
    // The stream's index in the container, for the layer's own demuxers and decoders.
    int streamIndex = -1;
    MediaType mediaType = MediaType::other;
    gfx::Size naturalSize;
    gfx::AffineTransform preferredTransform;
    float nominalFrameRate = 0;
    Time minFrameDuration = Time::invalid();
    TimeRange timeRange = TimeRange::invalid();
    FormatDescription formatDescription;
    bool playable = false;
};

class Track : public core::Object {
public:
    explicit Track(TrackInfo info) : info_(std::move(info)) {}

    int trackID() const { return info_.trackID; }
    int streamIndex() const { return info_.streamIndex; }
    MediaType mediaType() const { return info_.mediaType; }
    // The picture's display size: the coded size with the sample aspect ratio applied (the preferred
    // transform is not); 0 × 0 for tracks without pictures.
    gfx::Size naturalSize() const { return info_.naturalSize; }
    // How the picture is meant to be turned for display (the display matrix), identity when it has none.
    gfx::AffineTransform preferredTransform() const { return info_.preferredTransform; }
    // Frames per second as the container states it; 0 when unknown.
    float nominalFrameRate() const { return info_.nominalFrameRate; }
    // The shortest frame duration, from the stream's finest frame rate; invalid when unknown.
    Time minFrameDuration() const { return info_.minFrameDuration; }
    // Where the track lies on the movie's timeline (time zero is the movie's first frame).
    TimeRange timeRange() const { return info_.timeRange; }
    std::vector<FormatDescription> formatDescriptions() const { return {info_.formatDescription}; }
    // A decoder for the track exists and opens.
    bool isPlayable() const { return info_.playable; }

    std::string description() const override;

private:
    TrackInfo info_;
};

using TrackRef = std::shared_ptr<const Track>;

}  // namespace media
