#include "platform/gfx/gif_codec.h"

#include <gif_lib.h>
#include <libimagequant.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <future>
#include <thread>

#include "platform/core/condition_variable.h"
#include "platform/gfx/straight_alpha.h"

namespace gfx::codec {

namespace {

struct MemoryReader {
    const core::Data& bytes;
    std::size_t position = 0;
};

int readFromMemory(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const std::size_t count = std::min(std::size_t(std::max(length, 0)), reader->bytes.size() - reader->position);
    std::memcpy(buffer, reader->bytes.data() + reader->position, count);
    reader->position += count;
    return int(count);
}

int writeToMemory(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* out = static_cast<core::Data*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// Skips an extension's sub-blocks; the graphics control block's transparent index is kept.
bool readExtension(GifFileType* gif, int& transparentIndex)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    while (block) {
        if (code == GRAPHICS_EXT_FUNC_CODE) {
            GraphicsControlBlock gcb;
            if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) transparentIndex = gcb.TransparentColor;
        }
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    }
    return true;
}

ImageRef readFirstFrame(GifFileType* gif, int transparentIndex)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR) return nullptr;
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    const int screenWidth = std::max(gif->SWidth, 1), screenHeight = std::max(gif->SHeight, 1);
    if (!map || desc.Width <= 0 || desc.Height <= 0 || !acceptableSize(std::uint64_t(desc.Width), desc.Height) ||
        !acceptableSize(std::uint64_t(screenWidth), std::uint64_t(screenHeight)))
        return nullptr;
    std::vector<GifPixelType> indices(std::size_t(desc.Width) * std::size_t(desc.Height));
    // Interlaced images store rows in four passes.
    static constexpr int passStart[] = {0, 4, 2, 1}, passStep[] = {8, 8, 4, 2};
    const int passes = desc.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = desc.Interlace ? passStart[pass] : 0, step = desc.Interlace ? passStep[pass] : 1;
        for (int y = start; y < desc.Height; y += step)
            if (DGifGetLine(gif, &indices[std::size_t(y) * std::size_t(desc.Width)], desc.Width) == GIF_ERROR)
                return nullptr;
    }
    std::vector<Pixel> pixels(std::size_t(screenWidth) * std::size_t(screenHeight), 0);
    for (int y = 0; y < desc.Height; ++y) {
        const int screenY = desc.Top + y;
        if (screenY < 0 || screenY >= screenHeight) continue;
        for (int x = 0; x < desc.Width; ++x) {
            const int screenX = desc.Left + x;
            const int index = indices[std::size_t(y) * std::size_t(desc.Width) + std::size_t(x)];
            if (screenX < 0 || screenX >= screenWidth || index == transparentIndex || index >= map->ColorCount)
                continue;
            const GifColorType& c = map->Colors[index];
            pixels[std::size_t(screenY) * std::size_t(screenWidth) + std::size_t(screenX)] =
                makePixel(255, c.Red, c.Green, c.Blue);
        }
    }
    return Image::create(screenWidth, screenHeight, std::move(pixels));
}

// One frame reduced to a palette: indices row by row and the colours, a power of two of them.
struct IndexedFrame {
    std::vector<GifPixelType> indices;
    std::vector<GifColorType> colors;
    int transparentIndex = NO_TRANSPARENT_COLOR;
    bool ok = false;
};

struct LiqDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};

// Quantiser speed: 1 is slowest and best, 10 fastest; 7 keeps nearly all the quality of 4 in much less time
// (from 8 on, the palette refinement is dropped and quality falls).
constexpr int quantizerSpeed = 7;

// The image is let go once its straight RGBA copy is made, so that a frame is held once while it is reduced.
IndexedFrame quantize(ImageRef image)
{
    IndexedFrame frame;
    const int w = image->width(), h = image->height();
    std::vector<std::uint8_t> rgba(std::size_t(w) * std::size_t(h) * 4);
    for (int y = 0; y < h; ++y)
        straightRow(image->row(y), w, true, &rgba[std::size_t(y) * std::size_t(w) * 4]);
    image.reset();
    std::unique_ptr<liq_attr, LiqDeleter> attr(liq_attr_create());
    if (!attr) return frame;
    liq_set_speed(attr.get(), quantizerSpeed);
    std::unique_ptr<liq_image, LiqDeleter> liqImage(liq_image_create_rgba(attr.get(), rgba.data(), w, h, 0));
    liq_result* rawResult = nullptr;
    if (!liqImage || liq_image_quantize(liqImage.get(), attr.get(), &rawResult) != LIQ_OK) return frame;
    std::unique_ptr<liq_result, LiqDeleter> result(rawResult);
    liq_set_dithering_level(result.get(), 1.0f);
    frame.indices.resize(std::size_t(w) * std::size_t(h));
    if (liq_write_remapped_image(result.get(), liqImage.get(), frame.indices.data(), frame.indices.size()) != LIQ_OK)
        return frame;
    const liq_palette* palette = liq_get_palette(result.get());
    int size = 2;
    while (size < int(palette->count))
        size *= 2;
    frame.colors.assign(std::size_t(size), GifColorType{0, 0, 0});
    std::vector<GifPixelType> remap(256);
    for (unsigned i = 0; i < palette->count; ++i) {
        const liq_color& c = palette->entries[i];
        remap[i] = GifPixelType(i);
        frame.colors[i] = GifColorType{c.r, c.g, c.b};
        if (c.a >= 128) continue;
        if (frame.transparentIndex == NO_TRANSPARENT_COLOR) frame.transparentIndex = int(i);
        remap[i] = GifPixelType(frame.transparentIndex);
    }
    if (frame.transparentIndex != NO_TRANSPARENT_COLOR)
        for (auto& index : frame.indices)
            index = remap[index];
    frame.ok = true;
    return frame;
}

bool putLoopCount(GifFileType* gif, int loopCount)
{
    const GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType loop[] = {1, GifByteType(loopCount & 0xff), GifByteType((loopCount >> 8) & 0xff)};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof netscape, netscape) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool putFrame(GifFileType* gif, IndexedFrame& frame, int delay, int width, int height, int disposal)
{
    GraphicsControlBlock gcb{disposal, false, delay, frame.transparentIndex};
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&gcb, extension);
    ColorMapObject* map = GifMakeMapObject(int(frame.colors.size()), frame.colors.data());
    if (!map) return false;
    bool ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, map) == GIF_OK;
    GifFreeMapObject(map);
    for (int y = 0; ok && y < height; ++y)
        ok = EGifPutLine(gif, &frame.indices[std::size_t(y) * std::size_t(width)], width) == GIF_OK;
    return ok;
}

}  // namespace

bool looksLikeGIF(const core::Data& data)
{
    return data.size() >= 6 && std::memcmp(data.data(), "GIF8", 4) == 0 && (data[4] == '7' || data[4] == '9') &&
           data[5] == 'a';
}

ImageRef decodeGIF(const core::Data& data)
{
    MemoryReader reader{data};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, readFromMemory, &error));
    if (!gif) return nullptr;
    int transparentIndex = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) return nullptr;
        if (type == IMAGE_DESC_RECORD_TYPE) return readFirstFrame(gif.get(), transparentIndex);
        if (type == EXTENSION_RECORD_TYPE) {
            if (!readExtension(gif.get(), transparentIndex)) return nullptr;
            continue;
        }
        return nullptr;
    }
}

namespace {

// The threads that reduce frames to their palettes: a few that last as long as the encoder, so that the
// memory each one's work leaves to be reused stays with those few.
class Reducers {
public:
    explicit Reducers(std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i)
            threads_.emplace_back([this] { serve(); });
    }
    ~Reducers()
    {
        {
            core::MutexLock lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (auto& thread : threads_)
            thread.join();
    }

    std::future<IndexedFrame> reduce(ImageRef image)
    {
        std::packaged_task<IndexedFrame()> task(
            [image = std::move(image)]() mutable { return quantize(std::move(image)); });
        auto result = task.get_future();
        {
            core::MutexLock lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        wake_.notify_one();
        return result;
    }

private:
    void serve()
    {
        for (;;) {
            std::packaged_task<IndexedFrame()> task;
            {
                core::MutexLock lock(mutex_);
                wake_.wait(lock, [&]() REQUIRES(mutex_) { return stopping_ || !tasks_.empty(); });
                if (tasks_.empty()) return;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();  // the frame is let go here, with the task
        }
    }

    core::Mutex mutex_;  // guards the tasks and the stop
    core::ConditionVariable wake_;
    std::deque<std::packaged_task<IndexedFrame()>> tasks_ GUARDED_BY(mutex_);
    bool stopping_ GUARDED_BY(mutex_) = false;
    std::vector<std::thread> threads_;
};

}  // namespace

struct GIFEncoder::State {
    // A frame on its way: its palette being made, its delay, whether it covers the screen.
    struct Pending {
        std::future<IndexedFrame> frame;
        int delay;
        bool opaque;
    };

    Sink sink;
    std::optional<int> loopCount;
    core::Data buffer;  // what giflib wrote since the last hand-over to the sink
    GifFileType* gif = nullptr;
    int width = 0, height = 0;
    bool firstOpaque = true;
    bool failed = false;
    std::size_t written = 0;
    std::deque<Pending> pending;
    Reducers reducers{GIFEncoder::defaultParallel()};

    ~State()
    {
        if (gif) {
            int error = 0;
            EGifCloseFile(gif, &error);
        }
    }

    bool handOver()
    {
        if (!buffer.empty() && !sink(buffer)) failed = true;
        buffer.clear();
        return !failed;
    }

    bool open(int w, int h)
    {
        int error = 0;
        gif = EGifOpen(&buffer, writeToMemory, &error);
        if (!gif) return false;
        EGifSetGifVersion(gif, true);
        width = w;
        height = h;
        bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, nullptr) == GIF_OK;
        if (ok && loopCount) ok = putLoopCount(gif, std::clamp(*loopCount, 0, 0xffff));
        return ok && handOver();
    }

    // Writes the oldest frame. A frame is cleared before the next only when the next one (after the last, the
    // first) lets something show through.
    void writeOldest(bool nextOpaque)
    {
        Pending oldest = std::move(pending.front());
        pending.pop_front();
        IndexedFrame frame = oldest.frame.get();
        if (failed) return;
        const int disposal = nextOpaque ? DISPOSE_DO_NOT : DISPOSE_BACKGROUND;
        if (!frame.ok || !putFrame(gif, frame, oldest.delay, width, height, disposal)) failed = true;
        if (handOver()) ++written;
    }
};

GIFEncoder::GIFEncoder(Sink sink, std::optional<int> loopCount) : state_(std::make_unique<State>())
{
    state_->sink = std::move(sink);
    state_->loopCount = loopCount;
}

GIFEncoder::~GIFEncoder() = default;

std::size_t GIFEncoder::defaultParallel() { return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 3); }

bool GIFEncoder::add(const ImageRef& image, int delay)
{
    State& s = *state_;
    const bool fits =
        image && image->width() <= 0xffff && image->height() <= 0xffff &&
        (s.gif ? image->width() == s.width && image->height() == s.height : s.open(image->width(), image->height()));
    if (!fits) s.failed = true;
    if (s.failed) return false;
    const bool opaque = image->isOpaque();
    if (s.written == 0 && s.pending.empty()) s.firstOpaque = opaque;
    while (s.pending.size() >= defaultParallel())
        s.writeOldest(s.pending.size() > 1 ? s.pending[1].opaque : opaque);
    s.pending.push_back({s.reducers.reduce(image), std::clamp(delay, 0, 0xffff), opaque});
    return !s.failed;
}

bool GIFEncoder::finish()
{
    State& s = *state_;
    if (!s.gif) return false;
    while (!s.pending.empty())
        s.writeOldest(s.pending.size() > 1 ? s.pending[1].opaque : s.firstOpaque);
    int error = 0;
    const bool closed = EGifCloseFile(s.gif, &error) != GIF_ERROR;
    s.gif = nullptr;
    s.handOver();
    return closed && !s.failed;
}

std::size_t GIFEncoder::framesWritten() const { return state_->written; }

}  // namespace gfx::codec
