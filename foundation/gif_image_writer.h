// Writes an animated GIF that repeats for ever: one frame per image added, each shown for its interval
// (stored in hundredths of a second), encoded as it comes into a file without a name beside the URL, so that
// only a few frames are held whatever their number. The file appears only when finishing succeeds, whole,
// under the URL's name or, when something is there by then, under the next free numbered name: nothing
// already there is replaced, unless the writer was told to replace it. A writer that fails or is dropped
// before finishing leaves nothing behind. Serves one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "foundation/time_lapse_writer.h"
#include "platform/core/object.h"
#include "platform/core/unpublished_file.h"
#include "platform/gfx/image_writer.h"

namespace kestrane {

class GIFImageWriter : public core::Object, public TimeLapseWriter {
public:
    // The number of frames the file will hold; finishing fails when another number was added.
    explicit GIFImageWriter(std::int64_t count);

    std::int64_t count() const { return count_; }
    // Before starting: whether finishing puts the file in place of one already at the URL.
    void setReplacesExistingFile(bool replaces) { replacesExistingFile_ = replaces; }
    // One frame fewer than the count will be added (it could not be had).
    void leaveOutFrame();
    // How many frames are encoded into the file so far.
    std::int64_t framesEncoded() const;

    // False, with a printed line, when the file cannot be created there (no such folder, not a file URL).
    // Starting again drops the unfinished file.
    [[nodiscard]] bool startWriting(const core::Url& url) override;
    // A negative or not-a-number interval shows the frame for no time.
    bool addImage(const gfx::ImageRef& image, const media::Time& interval) override;
    [[nodiscard]] bool finishWriting() override;
    // Where the last successful finishing put the file; nullopt before one.
    const std::optional<core::Url>& writtenURL() const { return writtenURL_; }

private:
    std::int64_t count_;
    bool replacesExistingFile_ = false;
    std::unique_ptr<core::UnpublishedFile> file_;
    std::shared_ptr<gfx::ImageWriter> destination_;
    core::Url url_;
    std::optional<core::Url> writtenURL_;
};

}  // namespace kestrane
