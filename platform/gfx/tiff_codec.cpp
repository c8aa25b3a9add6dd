#include "platform/gfx/tiff_codec.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/gfx/straight_alpha.h"

namespace gfx::codec {

namespace {

// A TIFF file in memory, read from or grown by libtiff through the client procedures below.
struct MemoryFile {
    core::Data bytes;
    toff_t position = 0;
};

MemoryFile& fileOf(thandle_t handle) { return *static_cast<MemoryFile*>(handle); }

tmsize_t readMemory(thandle_t handle, void* buffer, tmsize_t size)
{
    MemoryFile& file = fileOf(handle);
    if (size < 0 || file.position >= file.bytes.size()) return 0;
    const auto count = std::min<toff_t>(toff_t(size), file.bytes.size() - file.position);
    std::memcpy(buffer, file.bytes.data() + file.position, count);
    file.position += count;
    return tmsize_t(count);
}

tmsize_t writeMemory(thandle_t handle, void* buffer, tmsize_t size)
{
    MemoryFile& file = fileOf(handle);
    if (size < 0) return -1;
    const toff_t end = file.position + toff_t(size);
    if (end > file.bytes.size()) file.bytes.resize(end);
    std::memcpy(file.bytes.data() + file.position, buffer, std::size_t(size));
    file.position = end;
    return size;
}

toff_t seekMemory(thandle_t handle, toff_t offset, int whence)
{
    MemoryFile& file = fileOf(handle);
    toff_t base = 0;
    if (whence == SEEK_CUR) base = file.position;
    if (whence == SEEK_END) base = file.bytes.size();
    file.position = base + offset;
    return file.position;
}

int closeMemory(thandle_t) { return 0; }

toff_t sizeOfMemory(thandle_t handle) { return fileOf(handle).bytes.size(); }

int mapNothing(thandle_t, void**, toff_t*) { return 0; }

void unmapNothing(thandle_t, void*, toff_t) {}

// The layer prints nothing: libtiff's warnings and errors are dropped once for the whole process.
void silenceLibtiff()
{
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
}

TIFF* openMemory(MemoryFile& file, const char* mode)
{
    silenceLibtiff();
    return TIFFClientOpen("memory", mode, &file, readMemory, writeMemory, seekMemory, closeMemory, sizeOfMemory,
                          mapNothing, unmapNothing);
}

bool writeFields(TIFF* tiff, const Image& image, bool withAlpha, int compression)
{
    const std::uint16_t samples = withAlpha ? 4 : 3;
    bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, std::uint32_t(image.width())) &&
              TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, std::uint32_t(image.height())) &&
              TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) && TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples) &&
              TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
              TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
              TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
    if (ok && withAlpha) {
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        ok = TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    if (ok && compression == COMPRESSION_LZW) ok = TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    return ok && TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
}

}  // namespace

bool looksLikeTIFF(const core::Data& data)
{
    if (data.size() < 4) return false;
    return (data[0] == 'I' && data[1] == 'I' && (data[2] == 42 || data[2] == 43) && data[3] == 0) ||
           (data[0] == 'M' && data[1] == 'M' && data[2] == 0 && (data[3] == 42 || data[3] == 43));
}

ImageRef decodeTIFF(const core::Data& data)
{
    MemoryFile file{data, 0};
    TIFF* tiff = openMemory(file, "rm");
    if (!tiff) return nullptr;
    std::uint32_t width = 0, height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    char message[1024];
    if (!acceptableSize(width, height) || !TIFFRGBAImageOK(tiff, message)) {
        TIFFClose(tiff);
        return nullptr;
    }
    // Packed R, G, B, A from the low byte up, alpha associated, rows from the top. A strip or tile that does not
    // read ends the reading: no image rather than one with made-up parts.
    std::vector<std::uint32_t> abgr(std::size_t(width) * height);
    const int ok = TIFFReadRGBAImageOriented(tiff, width, height, abgr.data(), ORIENTATION_TOPLEFT, 1);
    TIFFClose(tiff);
    if (!ok) return nullptr;
    std::vector<Pixel> pixels(abgr.size());
    std::transform(abgr.begin(), abgr.end(), pixels.begin(),
                   [](std::uint32_t v) { return makePixel(TIFFGetA(v), TIFFGetR(v), TIFFGetG(v), TIFFGetB(v)); });
    return Image::create(int(width), int(height), std::move(pixels));
}

std::optional<core::Data> encodeTIFF(const Image& image, int compression)
{
    if (compression < 1 || compression > 0xffff || !TIFFIsCODECConfigured(std::uint16_t(compression)))
        return std::nullopt;
    MemoryFile file;
    TIFF* tiff = openMemory(file, "w");
    if (!tiff) return std::nullopt;
    const bool withAlpha = !image.isOpaque();
    bool ok = writeFields(tiff, image, withAlpha, compression);
    std::vector<std::uint8_t> row(std::size_t(image.width()) * (withAlpha ? 4 : 3));
    for (int y = 0; ok && y < image.height(); ++y) {
        straightRow(image.row(y), image.width(), withAlpha, row.data());
        ok = TIFFWriteScanline(tiff, row.data(), std::uint32_t(y), 0) == 1;
    }
    ok = ok && TIFFWriteDirectory(tiff);
    TIFFClose(tiff);
    if (!ok) return std::nullopt;
    return std::move(file.bytes);
}

}  // namespace gfx::codec
