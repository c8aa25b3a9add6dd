#include "platform/media/detail/decoder_threads.h"

#include "platform/media/detail/ffmpeg.h"

#include <algorithm>
#include <atomic>

namespace media::detail {

namespace {

std::atomic<int> decodingMovies{0};

}  // namespace

DecodingMovie::DecodingMovie() { ++decodingMovies; }

DecodingMovie::~DecodingMovie() { --decodingMovies; }

int sharedDecoderThreads(int cores, int movies)
{
    const int all = std::max(1, cores) + 1;
    const int share = (all + std::max(1, movies) - 1) / std::max(1, movies);
    return std::clamp(share, 2, std::max(2, all));
}

int decoderThreads(int width, int height)
{
    if (double(width) * double(height) < 640.0 * 480.0) return 1;
    return sharedDecoderThreads(av_cpu_count(), decodingMovies.load());
}

}  // namespace media::detail
