// The opened, positioned decoders of one video stream that an asset keeps between grabs. A grab takes the
// decoder best placed for its time (one that reaches it by decoding forward, else any idle one, else a new
// one) and gives it back when done, so that a run of grabs in order never seeks twice into the same stretch
// of frames. A grab whose time lies shortly after the time of a grab in progress waits for that decoder
// rather than decode the same frames again on another one: grabs of nearby times made at once (a batch
// running several frames of one movie together) then cost one pass over the frames. Safe from any thread; a
// taken decoder serves only its taker.
#pragma once

#include "platform/core/condition_variable.h"
#include "platform/media/detail/decoder_threads.h"
#include "platform/media/detail/frame_converter.h"
#include "platform/media/detail/video_decoder.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace media::detail {

// A decoder with the scaler that turns its frames into images.
struct PooledDecoder {
    std::unique_ptr<VideoDecoder> decoder;
    FrameConverter converter;
    // The time it was taken for, while taken from the pool.
    std::optional<std::int64_t> target;
};

class DecoderPool {
public:
    // width and height: the stream's picture size, which sets the decoders' threads and the capacity.
    DecoderPool(std::string path, int streamIndex, AVRational timeBase, std::int64_t firstPts, int width, int height);

    // A new decoder of the stream outside the pool (the player's own); null when it cannot be opened.
    std::unique_ptr<VideoDecoder> openDecoder() const;
    // The same with that many frame threads.
    std::unique_ptr<VideoDecoder> openDecoder(int threads) const;
    // The pts of every key frame the container's index names, in order (read once); empty without an index.
    std::vector<std::int64_t> keyFrames();

    // Null when no decoder can be opened.
    std::unique_ptr<PooledDecoder> take(std::int64_t target);
    // Keeps the decoder for later grabs; the least recently used one goes when the pool is full.
    void give(std::unique_ptr<PooledDecoder> decoder);
    // From now on decoders are kept for later grabs only while someone holds the pool (hold, unhold); those
    // kept now are closed unless it is held.
    void keepOnlyWhileHeld();
    // Closes the decoders kept for later grabs (a job about to open decoders of its own needs their memory).
    void closeIdle();
    void hold();
    void unhold();

    int streamIndex() const { return streamIndex_; }
    AVRational timeBase() const { return timeBase_; }
    std::int64_t firstPts() const { return firstPts_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    // With the lock held: whether a taken decoder is headed for a time at or before the target that it reaches
    // more cheaply than a seek would: at or after the target's key frame (without an index, within two seconds).
    bool busyShortlyBefore(std::int64_t target) const REQUIRES(mutex_);
    // With the lock held: whether a grab waiting for a time below `below` would reach it with the decoder.
    bool wantedByWaiter(const VideoDecoder& decoder, std::int64_t below) const REQUIRES(mutex_);
    std::unique_ptr<PooledDecoder> lend(std::unique_ptr<PooledDecoder> decoder, std::int64_t target) REQUIRES(mutex_);

    const std::string path_;
    const int streamIndex_;
    const AVRational timeBase_;
    const std::int64_t firstPts_;
    const int width_;
    const int height_;
    const std::size_t capacity_;
    // The movie's part in the share of decoder threads, while its decoders may open.
    const DecodingMovie decoding_;
    core::Mutex mutex_;  // guards the decoders, the targets, the key frames and the holds
    std::vector<std::unique_ptr<PooledDecoder>> idle_ GUARDED_BY(mutex_);  // least recently given first
    std::multiset<std::int64_t> busyTargets_ GUARDED_BY(mutex_);           // the targets of the decoders taken
    std::multiset<std::int64_t> waitingTargets_ GUARDED_BY(mutex_);        // the targets of the grabs waiting in take()
    core::ConditionVariable given_;
    std::vector<std::int64_t> keyFrames_ GUARDED_BY(mutex_);  // from the index of the first decoder given back
    bool keyFramesRead_ GUARDED_BY(mutex_) = false;
    bool keepOnlyWhileHeld_ GUARDED_BY(mutex_) = false;
    int holds_ GUARDED_BY(mutex_) = 0;
};

// Takes a decoder from the pool and gives it back when it goes out of scope, also on a throw.
class PoolLease {
public:
    PoolLease(DecoderPool& pool, std::int64_t target) : pool_(pool), decoder_(pool.take(target)) {}
    ~PoolLease()
    {
        if (decoder_) pool_.give(std::move(decoder_));
    }
    PoolLease(const PoolLease&) = delete;
    PoolLease& operator=(const PoolLease&) = delete;

    PooledDecoder* get() const { return decoder_.get(); }

private:
    DecoderPool& pool_;
    std::unique_ptr<PooledDecoder> decoder_;
};

}  // namespace media::detail
