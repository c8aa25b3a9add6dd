#include "platform/gfx/jpeg_codec.h"

#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
// After the library's types it names.
#include <jerror.h>

#include "platform/gfx/straight_alpha.h"

namespace gfx::codec {

namespace {

// Pixel words are read as bytes B, G, R, A.
static_assert(std::endian::native == std::endian::little);

constexpr int fullColorQuality = 80;
constexpr int fittedTablesQuality = 90;

// From fullColorQuality up, luma and colour share this flatter table (the default intra matrix of MPEG-1
// video, in row order) instead of the standard's psychovisual pair: at high quality it keeps more fidelity
// per byte, above all in the colour planes that the standard's chroma table quantises coarsely.
constexpr unsigned int fidelityTable[DCTSIZE2] = {
    8,  16, 19, 22, 26, 27, 29, 34, 16, 16, 22, 24, 27, 29, 34, 37, 19, 22, 26, 27, 29, 34,
    34, 38, 22, 22, 26, 27, 29, 34, 37, 40, 22, 26, 27, 29, 32, 35, 40, 48, 26, 27, 29, 32,
    35, 40, 48, 58, 26, 27, 29, 34, 38, 46, 56, 69, 27, 29, 35, 38, 46, 56, 69, 83,
};

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    // libjpeg warned that the compressed data is damaged or ends early: it makes up the rows it cannot decode.
    bool damaged = false;
};

[[noreturn]] void failJPEG(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }

void ignoreMessage(j_common_ptr) {}

void noteMessage(j_common_ptr info, int level)
{
    if (level >= 0) return;
    switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
        reinterpret_cast<ErrorManager*>(info->err)->damaged = true;
        break;
    default:
        break;
    }
}

void installErrors(ErrorManager& errors)
{
    jpeg_std_error(&errors.base);
    errors.base.error_exit = failJPEG;
    errors.base.output_message = ignoreMessage;
    errors.base.emit_message = noteMessage;
}

// Adobe's CMYK JPEGs store inverted inks: the channel values are already 255 minus the ink.
Pixel pixelFromInvertedCMYK(const std::uint8_t* cmyk)
{
    const auto mix = [k = cmyk[3]](std::uint8_t c) { return std::uint8_t((unsigned(c) * k + 127u) / 255u); };
    return makePixel(255, mix(cmyk[0]), mix(cmyk[1]), mix(cmyk[2]));
}

}  // namespace

bool looksLikeJPEG(const core::Data& data)
{
    return data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

ImageRef decodeJPEG(const core::Data& data)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    installErrors(errors);
    info.err = &errors.base;
    std::vector<Pixel> pixels;
    std::vector<std::uint8_t> cmykRow;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    if (!acceptableSize(info.output_width, info.output_height)) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    const std::size_t width = info.output_width;
    pixels.resize(width * info.output_height);
    if (cmyk) cmykRow.resize(width * 4);
    while (info.output_scanline < info.output_height) {
        Pixel* row = pixels.data() + std::size_t(info.output_scanline) * width;
        JSAMPROW target = cmyk ? cmykRow.data() : reinterpret_cast<JSAMPROW>(row);
        jpeg_read_scanlines(&info, &target, 1);
        if (cmyk)
            for (std::size_t x = 0; x < width; ++x)
                row[x] = pixelFromInvertedCMYK(&cmykRow[x * 4]);
    }
    // Rows made up for damaged or missing data are no picture; once every row decoded, a damaged tail is
    // no harm.
    if (errors.damaged) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    jpeg_finish_decompress(&info);
    const int w = int(info.output_width), h = int(info.output_height);
    jpeg_destroy_decompress(&info);
    return Image::create(w, h, std::move(pixels));
}

std::optional<core::Data> encodeJPEG(const Image& image, int quality)
{
    jpeg_compress_struct info;
    ErrorManager errors;
    installErrors(errors);
    info.err = &errors.base;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return std::nullopt;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 4;
    // Pixel words are bytes B, G, R, A in memory; premultiplied colour is the colour over black.
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // High qualities keep the colour at full resolution, quantised with the fidelity table; below, colour is
    // halved both ways and the standard's tables apply, as usual.
    if (quality >= fullColorQuality) {
        info.comp_info[0].h_samp_factor = 1;
        info.comp_info[0].v_samp_factor = 1;
        const int scale = jpeg_quality_scaling(quality);
        jpeg_add_quant_table(&info, 0, fidelityTable, scale, TRUE);
        jpeg_add_quant_table(&info, 1, fidelityTable, scale, TRUE);
    }
    // Huffman tables fitted to the image make files about a tenth smaller. Below fittedTablesQuality that costs
    // little; above it the statistics pass over many large coefficients (and the whole-picture coefficient
    // buffer it needs) doubles to triples the encoding time, so the standard tables serve there.
    info.optimize_coding = quality < fittedTablesQuality ? TRUE : FALSE;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = reinterpret_cast<JSAMPROW>(const_cast<Pixel*>(image.row(int(info.next_scanline))));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    core::Data out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

}  // namespace gfx::codec
