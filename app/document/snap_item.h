// One snap of a document: the movie time a frame was taken at, the edition in force then, and the grabbed
// image once it exists. Only the time and the edition are archived (class name "SnapItem", keys "time" and
// "edition"); the image is always grabbed again. Two items with the same time and edition are different snaps.
// Made and read on the main thread; the document sets the image on its thumbnail queue before it hands the
// item to the main thread, and nothing else touches it meanwhile. A generated or restored snap takes, once its
// frame is grabbed, that frame's own time (on the main thread), as the snap of the frame on screen does.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "moviekit/edition.h"
#include "platform/core/coding.h"
#include "platform/core/keyed_unarchiver.h"
#include "platform/core/object.h"
#include "platform/gfx/image.h"
#include "platform/media/time.h"

namespace vistrel {

class SnapItem : public core::Object, public core::Coding {
public:
    static constexpr const char* codingClassName = "SnapItem";

    static std::shared_ptr<SnapItem> create(const media::Time& time, const orvalis::Edition& edition)
    {
        return core::make<SnapItem>(time, edition);
    }
    // No image yet.
    SnapItem(const media::Time& time, const orvalis::Edition& edition) : time_(time), edition_(edition) {}

    const media::Time& time() const { return time_; }
    void setTime(const media::Time& time) { time_ = time; }
    const orvalis::Edition& edition() const { return edition_; }
    gfx::ImageRef image() const { return image_; }
    void setImage(const gfx::ImageRef& image) { image_ = image; }

    // The item of an archive: null when "edition" is missing or names no edition, or when "time" is missing
    // or holds no numeric time (a damaged archive). Never an image.
    static std::shared_ptr<SnapItem> decode(core::KeyedUnarchiver& coder);
    std::string className() const override { return codingClassName; }
    void encode(core::KeyedArchiver& coder) const override;

    // "SnapItem<time: 00:01:15:500>".
    std::string description() const override;

private:
    media::Time time_;
    const orvalis::Edition edition_;
    gfx::ImageRef image_;
};

using SnapItems = std::vector<std::shared_ptr<SnapItem>>;

}  // namespace vistrel
