#include "platform/media/detail/playback_audio_source.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

using media::Time;
using media::detail::PlaybackAudioSource;

namespace {

std::unique_ptr<PlaybackAudioSource> soundOf(const std::string& name, int rate = 48000, int channels = 2)
{
    auto asset = media::Asset::create(core::Url::fileURL(mediatest::moviePath(name)));
    return PlaybackAudioSource::open(*asset, rate, channels);
}

double secondsOf(const std::string& name)
{
    return media::Asset::create(core::Url::fileURL(mediatest::moviePath(name)))->duration().seconds();
}

std::vector<std::int16_t> readAll(PlaybackAudioSource& source)
{
    std::vector<std::int16_t> samples;
    while (source.read(samples, 4096)) {
    }
    return samples;
}

// The tone's frequency in the first channel, from its rising zero crossings.
double frequencyOf(const std::vector<std::int16_t>& samples, int channels, int rate)
{
    std::size_t frames = samples.size() / std::size_t(channels);
    int crossings = 0;
    for (std::size_t i = 1; i < frames; ++i)
        if (samples[(i - 1) * std::size_t(channels)] < 0 && samples[i * std::size_t(channels)] >= 0) ++crossings;
    return crossings * double(rate) / double(frames);
}

}  // namespace

TEST(PlaybackAudio, DecodesFromTheSeekTimeAtTheOutputFormat)
{
    // The movies' sound: a 440 Hz tone as long as the movie.
    for (const char* name : {"audio.mkv", "audio.mp4", "sound-only.mp4"}) {
        SCOPED_TRACE(name);
        double length = secondsOf(name);
        auto source = soundOf(name, 44100, 2);
        ASSERT_TRUE(source);
        source->seek(Time::zero());
        auto all = readAll(*source);
        EXPECT_NEAR(all.size() / 2 / 44100.0, length, 0.05);
        EXPECT_NEAR(frequencyOf(all, 2, 44100), 440, 5);
        source->seek(Time::make(5, 4));
        auto tail = readAll(*source);
        EXPECT_NEAR(tail.size() / 2 / 44100.0, length - 1.25, 0.05);
        // Reading again after the end gives nothing more.
        std::vector<std::int16_t> more;
        EXPECT_FALSE(source->read(more, 100));
    }
}

TEST(PlaybackAudio, TempoChangesTheLengthAndKeepsThePitch)
{
    auto source = soundOf("audio.mkv", 48000, 1);
    ASSERT_TRUE(source);
    for (double tempo : {2.0, 0.5, 1.25, 9.0}) {
        SCOPED_TRACE(tempo);
        source->setTempo(tempo);
        source->seek(Time::zero());
        auto samples = readAll(*source);
        double played = std::min(tempo, 2.0);
        EXPECT_NEAR(samples.size() / 48000.0, secondsOf("audio.mkv") / played, 0.08);
        EXPECT_NEAR(frequencyOf(samples, 1, 48000), 440, 8);
    }
}

TEST(PlaybackAudio, MoviesWithoutSoundHaveNoSource)
{
    EXPECT_FALSE(soundOf("h264.mp4"));
    EXPECT_FALSE(soundOf("audio.mkv", 0, 2));
    auto missing = media::Asset::create(core::Url::fileURL(mediatest::scratchPath("no-such-movie.mp4")));
    EXPECT_FALSE(PlaybackAudioSource::open(*missing, 48000, 2));
}
