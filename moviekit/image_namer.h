// Builds the file name of each image a batch task writes from an output template: a list of tokens, each
// value token replaced by a value of the movie, the image format, the frame's time or its position, every
// other entry copied as it stands. A finished name always stays inside the export folder: path separators and
// NUL characters in it become "_", and a name that is empty, "." or ".." is refused. Used by one thread at a
// time.
#pragma once

#include "foundation/image_format.h"
#include "platform/core/url.h"
#include "platform/media/time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvalis {

class ImageNamer {
public:
    static inline const std::string MovieNameMarkup = "<movie_name>";
    static inline const std::string MovieExtMarkup = "<movie_extension>";
    static inline const std::string ImageExtMarkup = "<image_extension>";
    static inline const std::string HhmmssMarkup = "<time_hhmmss>";
    static inline const std::string HhmmssmsMarkup = "<time_hhmmssms>";
    static inline const std::string SecondsMarkup = "<time_seconds>";
    static inline const std::string FrameIndexMarkup = "<frame_index>";
    static inline const std::string FrameCountMarkup = "<frames_count>";
    static inline const std::string DashMarkup = "-";
    static inline const std::string DotMarkup = ".";
    // The ten tokens, in the order above.
    static const std::vector<std::string>& AllMarkups();
    // "<movie_name>", "-", "<time_hhmmssms>", ".", "<image_extension>".
    static const std::vector<std::string>& DefaultMarkups();

    ImageNamer() : markups_(DefaultMarkups()) {}

    std::optional<core::Url> movieURL() const { return movieURL_; }
    void setMovieURL(const std::optional<core::Url>& url) { movieURL_ = url; }
    void setFormat(const std::optional<kestrane::ImageFormat>& format) { format_ = format; }
    std::optional<media::Time> time() const { return time_; }
    void setTime(const std::optional<media::Time>& time) { time_ = time; }
    void setIndex(const std::optional<std::int64_t>& index) { index_ = index; }
    void setCount(const std::optional<std::int64_t>& count) { count_ = count; }
    const std::vector<std::string>& markups() const { return markups_; }
    void setMarkups(const std::vector<std::string>& markups) { markups_ = markups; }

    // The template's entries run together, each value token replaced by its value (nothing when the value is
    // none), tokens matched by exact, case-sensitive equality. Nullopt when the name would be empty, "." or
    // "..".
    std::optional<std::string> name() const;

private:
    std::string valueOf(const std::string& markup) const;

    std::optional<core::Url> movieURL_;
    std::optional<kestrane::ImageFormat> format_;
    std::optional<media::Time> time_;
    std::optional<std::int64_t> index_;
    std::optional<std::int64_t> count_;
    std::vector<std::string> markups_;
};

}  // namespace orvalis
