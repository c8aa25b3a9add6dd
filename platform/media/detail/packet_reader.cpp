#include "platform/media/detail/packet_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace media::detail {

namespace {

constexpr std::int64_t farPast = std::numeric_limits<std::int64_t>::min() / 2;
// How often a seek that finds no key frame at or before its time goes further back before starting at the start.
constexpr int maximumRounds = 40;
// Packets read in a row past the time wanted before a stream without decoding times counts as past it: more than
// any reordering of frames puts between a frame's packet and its place on screen.
constexpr int reorderMargin = 16;
// The packets read from the start to tell whether the container stores display times.
constexpr int displayTimeProbe = 16;
// The packets read from the start, at most, to find the first key frame.
constexpr int keyFrameProbe = 1024;
// The packets a seek reads ahead to find the last key frame before its time, at most.
constexpr std::size_t readAheadBudget = std::size_t(64) << 20;

// A packet's time: its display time, else its decoding time.
std::int64_t timeOf(const AVPacket* packet) { return packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts; }

}  // namespace

std::unique_ptr<PacketReader> PacketReader::open(const std::string& path, int streamIndex)
{
    FormatContextPtr format = openInput(path);
    return format ? open(format, streamIndex) : nullptr;
}

std::unique_ptr<PacketReader> PacketReader::open(FormatContextPtr& opened, int streamIndex)
{
    AVFormatContext* format = opened.get();
    if (!format || streamIndex < 0 || unsigned(streamIndex) >= format->nb_streams) return nullptr;
    AVStream* stream = format->streams[streamIndex];
    if (stream->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) return nullptr;
    std::unique_ptr<PacketReader> reader(new PacketReader);
    reader->format_ = std::move(opened);
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (int(i) != streamIndex) format->streams[i]->discard = AVDISCARD_ALL;
    reader->streamIndex_ = streamIndex;
    const AVCodecDescriptor* codec = avcodec_descriptor_get(stream->codecpar->codec_id);
    reader->intraOnly_ = codec && (codec->props & AV_CODEC_PROP_INTRA_ONLY);
    // Containers whose times may jump (transport and program streams) have no index: what their demuxers list
    // is where searches by decoding time landed, on any frame.
    reader->indexTrusted_ = !(format->iformat->flags & AVFMT_TS_DISCONT);
    // Where packets carry display times, some leave theirs out (program streams store one per block of data):
    // the demuxer finds it in the packets after, where the next frame that others refer to is decoded. Where
    // none does (the container stores decoding times only), that guess would be a decoding time, not when the
    // frame is shown: the decoder tells then, from the decoding times and its reordering delay.
    const StoredTimes stored = reader->storedTimes();
    reader->decodingTimesOnly_ = !stored.keyDisplayTime;
    reader->beginsInsideGroup_ = stored.packetsBeforeKey;
    reader->displayReorder_ = reader->intraOnly_ ? stored.displayReorder : 0;
    reader->earliestDisplayTime_ = stored.earliest;
    if (stored.displayTimes && stored.keyDisplayTime) format->flags |= AVFMT_FLAG_GENPTS;
    // Some demuxers read their index on the first seek only (the cues at the end of a Matroska file): seek now,
    // so that the first grab deep into the movie seeks too instead of decoding from the start.
    if (reader->indexTrusted_ && avformat_index_get_entries_count(stream) < 2) reader->seekToStart();
    return reader;
}

PacketReader::StoredTimes PacketReader::storedTimes()
{
    PacketPtr packet(av_packet_alloc());
    StoredTimes stored;
    bool keyRead = false;
    std::vector<std::int64_t> times;
    for (int read = 0; packet && (read < displayTimeProbe || (!keyRead && read < keyFrameProbe)) && demux(packet.get());
         ++read) {
        const bool hasTime = packet->pts != AV_NOPTS_VALUE;
        if (read < displayTimeProbe) stored.displayTimes = stored.displayTimes || hasTime;
        if (hasTime && read < displayTimeProbe) {
            // The packets before this one that are shown after it.
            const auto later =
                std::count_if(times.begin(), times.end(), [&](std::int64_t t) { return t > packet->pts; });
            stored.displayReorder = std::max(stored.displayReorder, int(later));
            stored.earliest = std::min(stored.earliest.value_or(packet->pts), packet->pts);
            times.push_back(packet->pts);
        }
        if (!keyRead && isKey(packet.get())) {
            keyRead = true;
            stored.keyDisplayTime = hasTime;
            stored.packetsBeforeKey = read > 0;
        }
        av_packet_unref(packet.get());
    }
    // A stream whose first packets hold no key frame is no stream of decoding times for that.
    if (!keyRead) stored.keyDisplayTime = stored.displayTimes;
    keys_.clear();
    readUpTo_.reset();
    seekToStart();
    return stored;
}

bool PacketReader::isKey(const AVPacket* packet) const
{
    return intraOnly_ || keyless_ || (packet->flags & AV_PKT_FLAG_KEY);
}

bool PacketReader::demux(AVPacket* packet)
{
    for (;;) {
        if (av_read_frame(format_.get(), packet) < 0) return false;
        if (packet->stream_index == streamIndex_) break;
        av_packet_unref(packet);
    }
    if (decodingTimesOnly_) packet->pts = AV_NOPTS_VALUE;
    if (packet->dts != AV_NOPTS_VALUE) readUpTo_ = std::max(readUpTo_.value_or(packet->dts), packet->dts);
    const std::int64_t time = timeOf(packet);
    if ((packet->flags & AV_PKT_FLAG_KEY) && time != AV_NOPTS_VALUE && !intraOnly_) keys_.insert(time);
    return true;
}

bool PacketReader::read(AVPacket* packet)
{
    for (;;) {
        if (!queue_.empty()) {
            queuedBytes_ -= std::size_t(queue_.front()->size);
            av_packet_move_ref(packet, queue_.front().get());
            queue_.pop_front();
            return true;
        }
        if (!demux(packet)) {
            // A stream that marks no key frame at all is read from its first packet.
            if (awaitingKey_ && !keyless_) {
                keyless_ = true;
                awaitingKey_ = false;
                if (seekToStart()) continue;
            }
            return false;
        }
        if (!awaitingKey_ || isKey(packet)) {
            awaitingKey_ = false;
            return true;
        }
        av_packet_unref(packet);
    }
}

bool PacketReader::seekToStart()
{
    queue_.clear();
    queuedBytes_ = 0;
    readUpTo_.reset();
    AVFormatContext* format = format_.get();
    AVStream* s = stream();
    // Before every time the demuxer knows: its search stops at the start of the data.
    std::int64_t first = farPast;
    if (indexTrusted_ && avformat_index_get_entries_count(s) > 0) first = avformat_index_get_entry(s, 0)->timestamp;
    if (av_seek_frame(format, streamIndex_, first, AVSEEK_FLAG_BACKWARD) >= 0) return true;
    if (avformat_seek_file(format, streamIndex_, INT64_MIN, first, first, 0) >= 0) return true;
    return !(format->iformat->flags & AVFMT_NO_BYTE_SEEK) && av_seek_frame(format, -1, 0, AVSEEK_FLAG_BYTE) >= 0;
}

bool PacketReader::seekContainer(std::int64_t ts)
{
    queue_.clear();
    queuedBytes_ = 0;
    readUpTo_.reset();
    AVFormatContext* format = format_.get();
    if (av_seek_frame(format, streamIndex_, ts, AVSEEK_FLAG_BACKWARD) >= 0) return true;
    if (avformat_seek_file(format, streamIndex_, INT64_MIN, ts, ts, 0) >= 0) return true;
    return seekToStart();
}

PacketReader::Scan PacketReader::readAhead(std::int64_t target, bool atStart)
{
    Scan scan;
    int pastTarget = 0;
    // Where a seek searched the data by time, it landed anywhere, maybe inside a block of frames: the demuxer
    // counts the times of the packets it reads from there on from the time it found, which may belong to a frame
    // further on, until a time stored in the data sets it right. The first key frame read there may carry a
    // made-up time; from the next one on, the times are those reading from the start gives.
    bool timesSettled = atStart || indexTrusted_;
    for (;;) {
        PacketPtr packet(av_packet_alloc());
        if (!packet || !demux(packet.get())) break;
        const std::int64_t time = timeOf(packet.get());
        const std::int64_t dts = packet->dts;
        const std::int64_t earliest = dts != AV_NOPTS_VALUE ? dts : time;
        if (earliest != AV_NOPTS_VALUE) scan.earliest = std::min(scan.earliest.value_or(earliest), earliest);
        // Past the target no packet can be a key frame at or before it: every later one decodes later.
        if (time != AV_NOPTS_VALUE && time <= target) pastTarget = 0;
        const bool past = dts != AV_NOPTS_VALUE
                              ? dts > target
                              : time != AV_NOPTS_VALUE && time > target && ++pastTarget >= reorderMargin;
        const bool key = isKey(packet.get()) && std::exchange(timesSettled, true);
        // A key frame whose packet carries no time at all (nor one the demuxer could guess) is no place to start:
        // the frames decoded from it would have no times either, while those decoded from an earlier one count
        // on from its time.
        if (key && time != AV_NOPTS_VALUE && time <= target) {
            // A later key frame at or before the target: nothing before it is needed, but for the frames stored
            // before it that are shown after it.
            while (queue_.size() > std::size_t(displayReorder_)) {
                queuedBytes_ -= std::size_t(queue_.front()->size);
                queue_.pop_front();
            }
            scan.found = true;
            scan.keyTime = time;
        } else if (queue_.empty()) {
            if (key && atStart) {
                // The stream starts after the target: reading starts at its first key frame.
                scan.keyTime = time;
                queuedBytes_ = std::size_t(packet->size);
                queue_.push_back(std::move(packet));
                break;
            }
            // Before any key frame no frame decodes.
            if (past && !atStart) break;
            continue;
        }
        queuedBytes_ += std::size_t(packet->size);
        queue_.push_back(std::move(packet));
        if (past || queuedBytes_ > readAheadBudget) break;
    }
    return scan;
}

std::optional<PacketReader::Landing> PacketReader::seek(std::int64_t target, std::int64_t startTime)
{
    AVRational base = stream()->time_base;
    std::int64_t step = std::max<std::int64_t>(1, base.num > 0 ? base.den / base.num : 1);
    std::int64_t aim = target;
    // Wherever a failed seek leaves the demuxer, reading goes on from a key frame only.
    awaitingKey_ = true;
    for (int round = 0; round < maximumRounds; ++round) {
        const bool atStart = aim < startTime || round == maximumRounds - 1;
        if (!(atStart ? seekToStart() : seekContainer(aim))) return std::nullopt;
        Scan scan = readAhead(target, atStart);
        if (atStart && !scan.found && queue_.empty() && !keyless_) {
            // No key frame anywhere: a stream that marks none is read from its first packet.
            keyless_ = true;
            if (!seekToStart()) return std::nullopt;
            scan = readAhead(target, true);
        }
        if (scan.found || (atStart && !queue_.empty())) {
            awaitingKey_ = false;
            return Landing{scan.keyTime, !scan.found};
        }
        if (atStart) return std::nullopt;
        // Landed past the target: go back from where it landed by a stretch four times longer each time. Each round
        // reads on to the target, and the first key frame it meets does not count: fewer, longer rounds read less
        // in all where key frames are seconds apart.
        aim = std::min(aim, scan.earliest.value_or(aim));
        aim = aim > farPast + step ? aim - step : farPast;
        step = std::min(step * 4, -farPast / 2);
    }
    return std::nullopt;
}

std::optional<std::int64_t> PacketReader::keyFrameAtOrBefore(std::int64_t t) const
{
    if (intraOnly_ || keyless_) return t;
    std::optional<std::int64_t> found;
    auto read = keys_.upper_bound(t);
    if (read != keys_.begin()) found = *std::prev(read);
    if (indexTrusted_) {
        AVStream* s = stream();
        int index = av_index_search_timestamp(s, t, AVSEEK_FLAG_BACKWARD);
        const AVIndexEntry* entry = index >= 0 ? avformat_index_get_entry(s, index) : nullptr;
        if (entry) found = std::max(found.value_or(entry->timestamp), entry->timestamp);
    }
    return found;
}

bool PacketReader::knowsKeyFramesUpTo(std::int64_t t) const
{
    return intraOnly_ || keyless_ || (indexTrusted_ && avformat_index_get_entries_count(stream()) >= 2) ||
           (readUpTo_ && *readUpTo_ >= t);
}

std::vector<std::int64_t> PacketReader::indexedKeyFrames() const
{
    std::vector<std::int64_t> keys;
    if (!indexTrusted_) return keys;
    AVStream* s = stream();
    const int count = avformat_index_get_entries_count(s);
    for (int i = 0; i < count; ++i) {
        const AVIndexEntry* entry = avformat_index_get_entry(s, i);
        if (entry && (entry->flags & AVINDEX_KEYFRAME)) keys.push_back(entry->timestamp);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

std::optional<std::int64_t> PacketReader::statedEnd() const
{
    const AVStream* s = stream();
    const std::int64_t start = s->start_time != AV_NOPTS_VALUE ? s->start_time : 0;
    if (s->duration != AV_NOPTS_VALUE && s->duration > 0 && s->start_time != AV_NOPTS_VALUE)
        return s->start_time + s->duration;
    // Matroska keeps each track's own length in a tag, "HH:MM:SS.fraction": shorter than the file's when another
    // track runs on.
    if (const AVDictionaryEntry* tag = av_dict_get(s->metadata, "DURATION", nullptr, 0)) {
        unsigned hours = 0, minutes = 0;
        double seconds = 0;
        if (std::sscanf(tag->value, "%u:%u:%lf", &hours, &minutes, &seconds) == 3 && minutes < 60 && seconds >= 0 &&
            seconds < 60 && hours < 1000000) {
            const double total = hours * 3600.0 + minutes * 60.0 + seconds;
            return start + av_rescale_q(std::llround(total * AV_TIME_BASE), AV_TIME_BASE_Q, s->time_base);
        }
    }
    const AVFormatContext* format = format_.get();
    if (format->duration == AV_NOPTS_VALUE || format->duration <= 0) return std::nullopt;
    const std::int64_t formatStart = format->start_time != AV_NOPTS_VALUE ? format->start_time : 0;
    return av_rescale_q(formatStart + format->duration, AV_TIME_BASE_Q, s->time_base);
}

}  // namespace media::detail
