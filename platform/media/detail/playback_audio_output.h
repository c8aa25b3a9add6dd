// A player's sound on the default audio device: samples from the player's audio source written to a QAudioSink
// as the sink asks for them, from the position and at the speed the player gives. Main thread only.
#pragma once

#include "platform/media/asset.h"
#include "platform/media/time.h"

#include <memory>
#include <optional>

namespace media::detail {

class PlaybackAudioOutput {
public:
    // Null when there is no audio device or the asset has no sound that decodes.
    static std::unique_ptr<PlaybackAudioOutput> open(const Asset& asset);
    ~PlaybackAudioOutput();

    // Plays from `time` at `rate`: at its own pitch from 0.5 to 2, silent at other rates.
    void start(const Time& time, double rate);
    void stop();
    // Linear gain from 0 to 1.
    void setVolume(float volume);
    // Hands the sink what it has room for; called often while playing.
    void feed();
    // Where on the timeline the device's sound is, while it plays and has sound left to play.
    std::optional<Time> position() const;

private:
    struct Device;
    explicit PlaybackAudioOutput(std::unique_ptr<Device> device);
    std::unique_ptr<Device> device_;
};

}  // namespace media::detail
