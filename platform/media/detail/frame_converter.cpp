#include "platform/media/detail/frame_converter.h"

#include <cmath>
#include <vector>

namespace media::detail {

namespace {

// The full-range JPEG pixel formats are their plain twins with the range flag set.
AVPixelFormat plainFormat(AVPixelFormat format, bool& fullRange)
{
    switch (format) {
    case AV_PIX_FMT_YUVJ420P:
        fullRange = true;
        return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P:
        fullRange = true;
        return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P:
        fullRange = true;
        return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P:
        fullRange = true;
        return AV_PIX_FMT_YUV440P;
    default:
        return format;
    }
}

int matrixOf(const AVFrame* frame)
{
    switch (frame->colorspace) {
    case AVCOL_SPC_BT709:
    case AVCOL_SPC_FCC:
    case AVCOL_SPC_BT470BG:
    case AVCOL_SPC_SMPTE170M:
    case AVCOL_SPC_SMPTE240M:
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL:
        return frame->colorspace;
    default:
        // Untagged streams follow the usual rule: HD pictures use BT.709, smaller ones BT.601.
        return frame->height >= 720 ? SWS_CS_ITU709 : SWS_CS_ITU601;
    }
}

void premultiply(std::vector<gfx::Pixel>& pixels)
{
    for (gfx::Pixel& p : pixels) {
        unsigned a = gfx::alphaOf(p);
        if (a == 255) continue;
        auto scale = [a](unsigned v) { return std::uint8_t((v * a + 127) / 255); };
        p = gfx::makePixel(std::uint8_t(a), scale(gfx::redOf(p)), scale(gfx::greenOf(p)), scale(gfx::blueOf(p)));
    }
}

}  // namespace

gfx::ImageRef FrameConverter::convert(const AVFrame* frame, int width, int height)
{
    if (!frame || frame->width <= 0 || frame->height <= 0 || width <= 0 || height <= 0) return nullptr;
    bool fullRange = frame->color_range == AVCOL_RANGE_JPEG;
    AVPixelFormat source = plainFormat(AVPixelFormat(frame->format), fullRange);
    // Bicubic for scaling; at the same size only the chroma is interpolated, where bilinear is as good. Chroma
    // is interpolated in full across each row only where the picture keeps more than half its width: a smaller
    // one narrows the chroma too, and the full interpolation would double the cost of a miniature for nothing.
    bool scales = width != frame->width || height != frame->height;
    int flags = scales ? SWS_BICUBIC | SWS_ACCURATE_RND : SWS_BILINEAR;
    if (2 * width > frame->width) flags |= SWS_FULL_CHR_H_INT;
    scaler_.reset(sws_getCachedContext(scaler_.release(), frame->width, frame->height, source, width, height,
                                       AV_PIX_FMT_BGRA, flags, nullptr, nullptr, nullptr));
    if (!scaler_) return nullptr;
    const int* coefficients = sws_getCoefficients(matrixOf(frame));
    sws_setColorspaceDetails(scaler_.get(), coefficients, fullRange ? 1 : 0, sws_getCoefficients(SWS_CS_DEFAULT), 1, 0,
                             1 << 16, 1 << 16);

    // The scaler's vector code may write a few pixels past the end of the last row (a 120 × 160 picture with
    // full chroma interpolation does): the buffer has room for them, then drops them.
    constexpr std::size_t scalerSlack = 64;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    std::vector<gfx::Pixel> pixels(count + scalerSlack);
    std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(pixels.data()), nullptr, nullptr, nullptr};
    int strides[4] = {width * 4, 0, 0, 0};
    if (sws_scale(scaler_.get(), frame->data, frame->linesize, 0, frame->height, planes, strides) != height)
        return nullptr;
    pixels.resize(count);
    const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(source);
    if (descriptor && (descriptor->flags & AV_PIX_FMT_FLAG_ALPHA)) premultiply(pixels);
    return gfx::Image::create(width, height, std::move(pixels));
}

gfx::ImageRef transformImage(const gfx::ImageRef& image, double a, double b, double c, double d)
{
    auto unit = [](double v) { return v == 0 || v == 1 || v == -1; };
    bool quarter = (a == 0 && d == 0 && b != 0 && c != 0) || (b == 0 && c == 0 && a != 0 && d != 0);
    if (!image || !unit(a) || !unit(b) || !unit(c) || !unit(d) || !quarter) return image;
    int w = image->width(), h = image->height();
    bool swaps = a == 0;
    int outW = swaps ? h : w, outH = swaps ? w : h;
    std::vector<gfx::Pixel> pixels(std::size_t(outW) * std::size_t(outH));
    // A source pixel (x, y) lands at (a·x + c·y, b·x + d·y), moved back into the picture.
    int minX = std::min(0, int(a) * (w - 1)) + std::min(0, int(c) * (h - 1));
    int minY = std::min(0, int(b) * (w - 1)) + std::min(0, int(d) * (h - 1));
    for (int y = 0; y < h; ++y) {
        const gfx::Pixel* row = image->row(y);
        for (int x = 0; x < w; ++x) {
            int ox = int(a) * x + int(c) * y - minX;
            int oy = int(b) * x + int(d) * y - minY;
            pixels[std::size_t(oy) * std::size_t(outW) + std::size_t(ox)] = row[x];
        }
    }
    return gfx::Image::create(outW, outH, std::move(pixels));
}

}  // namespace media::detail
