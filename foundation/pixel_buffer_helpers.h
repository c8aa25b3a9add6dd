// Helpers around the platform's pixel buffers for movie writing: the pixel format and attribute key
// constants, buffers from a pool with a result code, the video input of an asset writer, and drawing an
// image so that it fills a buffer. Each runs on the caller's thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gfx/image.h"
#include "platform/gfx/pixel_buffer.h"
#include "platform/gfx/rect.h"
#include "platform/media/asset_writer.h"

namespace kestrane {

namespace CVPixel {
// The code of the 32-bit ARGB pixel format (bytes A, R, G, B).
inline constexpr std::uint32_t formatType32ARGB = 32;
}  // namespace CVPixel

namespace CVBuffer {
inline const std::string pixelFormatTypeKey = "PixelFormatType";
inline const std::string widthKey = "Width";
inline const std::string heightKey = "Height";
}  // namespace CVBuffer

// Result codes of createBuffer.
inline constexpr std::int32_t pixelBufferSuccess = 0;
inline constexpr std::int32_t pixelBufferAllocationFailed = -6662;

// A new buffer from the pool into `buffer`; the result code says whether there is one.
std::int32_t createBuffer(gfx::PixelBufferPool& pool, std::shared_ptr<gfx::PixelBuffer>& buffer);

// A video input with the settings (an H.264 track of a width and height).
std::shared_ptr<media::AssetWriterInput> videoInput(const media::VideoSettings& settings);

// Origin (0, 0) and the buffer's width and height.
gfx::Rect rect(const gfx::PixelBuffer& buffer);
void lockReadOnly(gfx::PixelBuffer& buffer);
void unlockReadOnly(gfx::PixelBuffer& buffer);
// Draws the image aspect-filling the whole buffer, centred: what overhangs on two sides is cut off.
void drawFillingImage(gfx::PixelBuffer& buffer, const gfx::ImageRef& image);

}  // namespace kestrane
