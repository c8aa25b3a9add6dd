#include "platform/media/detail/packet_reader.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using media::detail::PacketReader;

namespace {

struct Packet {
    std::int64_t time;
    bool key;
};

// Every video packet's time (display, else decoding) and whether it is a key frame, read straight from FFmpeg.
std::vector<Packet> packetsOf(const std::string& path, int& streamIndex)
{
    auto format = media::detail::openInput(path);
    std::vector<Packet> packets;
    if (!format) return packets;
    format->flags |= AVFMT_FLAG_GENPTS;
    streamIndex = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    media::detail::PacketPtr packet(av_packet_alloc());
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        if (packet->stream_index == streamIndex)
            packets.push_back(
                {packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts, (packet->flags & AV_PKT_FLAG_KEY) != 0});
        av_packet_unref(packet.get());
    }
    return packets;
}

}  // namespace

TEST(PacketReader, SeeksStartAtTheLastKeyFrameAtOrBeforeTheTimeInEveryContainer)
{
    std::vector<mediatest::MovieCase> movies = mediatest::movieCases();
    for (const mediatest::MovieCase& c : mediatest::toolMovieCases())
        movies.push_back(c);
    for (const mediatest::MovieCase& c : movies) {
        SCOPED_TRACE(c.name);
        const std::string path = mediatest::moviePath(c.name);
        int streamIndex = -1;
        const std::vector<Packet> packets = packetsOf(path, streamIndex);
        ASSERT_FALSE(packets.empty());
        std::set<std::int64_t> keys, times;
        for (const Packet& p : packets) {
            times.insert(p.time);
            if (p.key) keys.insert(p.time);
        }
        ASSERT_FALSE(keys.empty());
        const std::int64_t start = *times.begin();

        auto reader = PacketReader::open(path, streamIndex);
        ASSERT_TRUE(reader);
        media::detail::PacketPtr packet(av_packet_alloc());
        // Every frame's time and the tick before it, backwards (each seek lands behind the reader) and
        // forwards, and times before the first frame.
        std::vector<std::int64_t> targets;
        for (auto it = times.rbegin(); it != times.rend(); ++it)
            targets.insert(targets.end(), {*it, *it - 1});
        for (std::int64_t t : times)
            targets.push_back(t);
        for (std::int64_t t : targets) {
            SCOPED_TRACE(t);
            const auto landing = reader->seek(t, start);
            ASSERT_TRUE(landing);
            auto after = keys.upper_bound(t);
            if (after == keys.begin()) {
                EXPECT_TRUE(landing->atStart);
                EXPECT_EQ(landing->keyTime, *keys.begin());
            } else {
                EXPECT_FALSE(landing->atStart);
                EXPECT_EQ(landing->keyTime, *std::prev(after));
            }
            // Reading starts on that key frame, never on a frame that needs earlier ones.
            ASSERT_TRUE(reader->read(packet.get()));
            EXPECT_TRUE(packet->flags & AV_PKT_FLAG_KEY);
            EXPECT_EQ(packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts, landing->keyTime);
            av_packet_unref(packet.get());
        }
    }
}

TEST(PacketReader, AMatroskaOrWebMIndexIsReadWhenOpened)
{
    // The demuxer reads the cues at the end of the file on its first seek only.
    for (const auto& [name, codec] :
         {std::pair{"index-120.mkv", testmovie::Codec::h264}, std::pair{"index-120.webm", testmovie::Codec::vp9}}) {
        SCOPED_TRACE(name);
        testmovie::MovieSpec spec;
        spec.codec = codec;
        spec.frameCount = 120;
        spec.keyInterval = 12;
        const std::string path = mediatest::scratchPath(name);
        testmovie::writeMovie(path, spec);
        int streamIndex = -1;
        const std::vector<Packet> packets = packetsOf(path, streamIndex);
        const auto keys = std::count_if(packets.begin(), packets.end(), [](const Packet& p) { return p.key; });
        ASSERT_GE(keys, 10);

        auto reader = PacketReader::open(path, streamIndex);
        ASSERT_TRUE(reader);
        EXPECT_EQ(std::ptrdiff_t(reader->indexedKeyFrames().size()), keys);
        EXPECT_TRUE(reader->knowsKeyFramesUpTo(packets.back().time));
        EXPECT_GT(reader->keyFrameAtOrBefore(packets.back().time).value_or(0), packets.front().time);
    }
}

TEST(PacketReader, TransportStreamsVouchForNoIndexButKnowTheKeyFramesRead)
{
    const std::string path = mediatest::moviePath("h264.ts");
    int streamIndex = -1;
    const std::vector<Packet> packets = packetsOf(path, streamIndex);
    std::set<std::int64_t> keys;
    for (const Packet& p : packets)
        if (p.key) keys.insert(p.time);
    auto reader = PacketReader::open(path, streamIndex);
    ASSERT_TRUE(reader);
    // The demuxer lists where its searches by decoding time landed, on any frame.
    for (const Packet& p : packets)
        reader->seek(p.time, packets.front().time);
    EXPECT_TRUE(reader->indexedKeyFrames().empty());
    for (const Packet& p : packets)
        EXPECT_EQ(reader->keyFrameAtOrBefore(p.time), *std::prev(keys.upper_bound(p.time)));
}
