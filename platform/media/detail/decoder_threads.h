// The frame threads of video decoders, shared among the movies being decoded at once. One movie decodes on
// every core; several at once (a batch) share the cores, so that they neither crowd the processor with threads
// nor multiply the frames that every thread holds. Small pictures decode fastest on one thread.
#pragma once

namespace media::detail {

// A movie taking part in the share for as long as it lives. Any thread.
class DecodingMovie {
public:
    DecodingMovie();
    ~DecodingMovie();
    DecodingMovie(const DecodingMovie&) = delete;
    DecodingMovie& operator=(const DecodingMovie&) = delete;
};

// The threads of a decoder of pictures this large opened now, never 0. Any thread.
int decoderThreads(int width, int height);

// Each movie's share of `cores` processors when `movies` movies decode at once: all of them (plus one, as
// FFmpeg's own choice does) for one movie, an equal part for several, never fewer than two.
int sharedDecoderThreads(int cores, int movies);

}  // namespace media::detail
