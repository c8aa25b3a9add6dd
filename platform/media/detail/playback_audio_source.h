// The sound of a player: one audio stream decoded from a given time on, resampled with libswresample to
// interleaved signed 16-bit samples at the output's rate and channel count, and stretched with libavfilter's
// atempo when played faster or slower, so that it keeps its pitch. One thread at a time.
#pragma once

#include "platform/media/asset.h"
#include "platform/media/time.h"

#include <cstdint>
#include <memory>
#include <vector>

struct AVFrame;

namespace media::detail {

class PlaybackAudioSource {
public:
    // Null when the asset holds no audio that decodes, or the output format is not one to make.
    static std::unique_ptr<PlaybackAudioSource> open(const Asset& asset, int sampleRate, int channels);
    ~PlaybackAudioSource();
    PlaybackAudioSource(const PlaybackAudioSource&) = delete;
    PlaybackAudioSource& operator=(const PlaybackAudioSource&) = delete;

    int sampleRate() const { return sampleRate_; }
    int channels() const { return channels_; }

    // The next samples begin at `time` on the asset's timeline.
    void seek(const Time& time);
    // Playback speed for the samples to come, from 0.5 to 2 (clamped); 1 leaves them as they are.
    void setTempo(double tempo);
    // Appends samples (`channels` values per sample frame) until at least `frames` more frames are in `out`;
    // false once the stream has nothing more to give.
    bool read(std::vector<std::int16_t>& out, std::size_t frames);

private:
    struct Codec;
    explicit PlaybackAudioSource(std::unique_ptr<Codec> codec);
    // Decodes and converts the next packet's worth; false at the end.
    bool decodeMore(std::vector<std::int16_t>& out);
    void convert(const AVFrame* frame, std::vector<std::int16_t>& out);
    void stretch(const std::int16_t* samples, int frames, std::vector<std::int16_t>& out);
    bool buildTempo();

    std::unique_ptr<Codec> codec_;
    int sampleRate_ = 0;
    int channels_ = 0;
    double tempo_ = 1;
    std::int64_t skipFrames_ = 0;  // output frames still to drop to reach the seek target
    bool ended_ = false;
};

}  // namespace media::detail
