#include "platform/media/detail/playback_audio_output.h"

#include "platform/media/detail/playback_audio_source.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <vector>

namespace media::detail {

namespace {

// Sample frames decoded at a time.
constexpr std::size_t chunkFrames = 2048;

}  // namespace

struct PlaybackAudioOutput::Device {
    std::unique_ptr<PlaybackAudioSource> source;
    std::unique_ptr<QAudioSink> sink;
    QIODevice* io = nullptr;  // the sink's, while it plays
    std::vector<std::int16_t> pending;
    std::size_t written = 0;  // values of `pending` already handed over
    Time startTime;
    double rate = 1;
    bool ended = false;  // the sound has nothing more to give
};

std::unique_ptr<PlaybackAudioOutput> PlaybackAudioOutput::open(const Asset& asset)
{
    if (!QCoreApplication::instance() || asset.tracks(MediaType::audio).empty()) return nullptr;
    QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) return nullptr;
    QAudioFormat format;
    int rate = output.preferredFormat().sampleRate();
    format.setSampleRate(rate > 0 ? rate : 48000);
    format.setChannelCount(std::clamp(output.preferredFormat().channelCount(), 1, 2));
    format.setSampleFormat(QAudioFormat::Int16);
    if (!output.isFormatSupported(format)) return nullptr;
    auto device = std::make_unique<Device>();
    device->source = PlaybackAudioSource::open(asset, format.sampleRate(), format.channelCount());
    if (!device->source) return nullptr;
    device->sink = std::make_unique<QAudioSink>(output, format);
    return std::unique_ptr<PlaybackAudioOutput>(new PlaybackAudioOutput(std::move(device)));
}

PlaybackAudioOutput::PlaybackAudioOutput(std::unique_ptr<Device> device) : device_(std::move(device)) {}

PlaybackAudioOutput::~PlaybackAudioOutput() { stop(); }

void PlaybackAudioOutput::start(const Time& time, double rate)
{
    stop();
    if (!(rate >= 0.5 && rate <= 2)) return;
    device_->source->seek(time);
    device_->source->setTempo(rate);
    device_->startTime = time;
    device_->rate = rate;
    device_->ended = false;
    device_->io = device_->sink->start();
    feed();
}

void PlaybackAudioOutput::stop()
{
    if (device_->io) device_->sink->stop();
    device_->io = nullptr;
    device_->pending.clear();
    device_->written = 0;
}

void PlaybackAudioOutput::setVolume(float volume) { device_->sink->setVolume(std::clamp(double(volume), 0.0, 1.0)); }

std::optional<Time> PlaybackAudioOutput::position() const
{
    if (!device_->io || device_->ended) return std::nullopt;
    double played = double(device_->sink->processedUSecs()) / 1e6 * device_->rate;
    return add(device_->startTime, Time::withSeconds(played, 1000000000));
}

void PlaybackAudioOutput::feed()
{
    Device& d = *device_;
    if (!d.io) return;
    qint64 room = d.sink->bytesFree();
    while (room > 0) {
        if (d.written == d.pending.size()) {
            d.pending.clear();
            d.written = 0;
            d.source->read(d.pending, chunkFrames);
            if (d.pending.empty()) {
                d.ended = true;
                return;
            }
        }
        qint64 available = qint64(d.pending.size() - d.written) * qint64(sizeof(std::int16_t));
        qint64 frameBytes = qint64(d.source->channels()) * qint64(sizeof(std::int16_t));
        qint64 size = std::min(room, available) / frameBytes * frameBytes;
        if (size <= 0) return;
        qint64 taken = d.io->write(reinterpret_cast<const char*>(d.pending.data() + d.written), size);
        if (taken <= 0) return;
        d.written += std::size_t(taken) / sizeof(std::int16_t);
        room -= taken;
    }
}

}  // namespace media::detail
