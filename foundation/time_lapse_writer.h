// What every time-lapse writer offers, in this order: start a file, add still images each shown for an
// interval, finish the file. Each writer serves one thread at a time.
#pragma once

#include "platform/core/url.h"
#include "platform/gfx/image.h"
#include "platform/media/time.h"

namespace kestrane {

class TimeLapseWriter {
public:
    virtual ~TimeLapseWriter() = default;
    [[nodiscard]] virtual bool startWriting(const core::Url& url) = 0;
    virtual bool addImage(const gfx::ImageRef& image, const media::Time& interval) = 0;
    [[nodiscard]] virtual bool finishWriting() = 0;
};

}  // namespace kestrane
