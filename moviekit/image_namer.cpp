#include "moviekit/image_namer.h"

#include <algorithm>
#include <cmath>

#include "foundation/time_values.h"
#include "platform/core/format.h"

namespace orvalis {

namespace {

// "%.0f" of the seconds: rounded to a whole number, no decimals, whatever the locale.
std::string wholeSeconds(const media::Time& time) { return core::format("%.0f", time.seconds()); }

// What may not appear in a file name: the path separator and NUL.
bool isForbidden(char c) { return c == '/' || c == '\0'; }

}  // namespace

// The lists are never destroyed: namers on workers of batch tasks may still read them while the process ends.
const std::vector<std::string>& ImageNamer::AllMarkups()
{
    static const auto* markups = new std::vector<std::string>{
        MovieNameMarkup, MovieExtMarkup,   ImageExtMarkup,   HhmmssMarkup, HhmmssmsMarkup,
        SecondsMarkup,   FrameIndexMarkup, FrameCountMarkup, DashMarkup,   DotMarkup,
    };
    return *markups;
}

const std::vector<std::string>& ImageNamer::DefaultMarkups()
{
    static const auto* markups =
        new std::vector<std::string>{MovieNameMarkup, DashMarkup, HhmmssmsMarkup, DotMarkup, ImageExtMarkup};
    return *markups;
}

std::string ImageNamer::valueOf(const std::string& markup) const
{
    if (markup == MovieNameMarkup) return movieURL_ ? movieURL_->deletingPathExtension().lastPathComponent() : "";
    if (markup == MovieExtMarkup) return movieURL_ ? movieURL_->pathExtension() : "";
    if (markup == ImageExtMarkup) return format_ ? kestrane::fileExtension(*format_) : "";
    if (markup == HhmmssMarkup) return time_ ? kestrane::hhmmssName(*time_) : "";
    if (markup == HhmmssmsMarkup) return time_ ? kestrane::hhmmssmsName(*time_) : "";
    if (markup == SecondsMarkup) return time_ ? wholeSeconds(*time_) : "";
    if (markup == FrameIndexMarkup) return index_ ? std::to_string(*index_) : "";
    if (markup == FrameCountMarkup) return count_ ? std::to_string(*count_) : "";
    return markup;
}

std::optional<std::string> ImageNamer::name() const
{
    std::string name;
    for (const auto& markup : markups())
        name += valueOf(markup);
    std::replace_if(name.begin(), name.end(), isForbidden, '_');
    if (name.empty() || name == "." || name == "..") return std::nullopt;
    return name;
}

}  // namespace orvalis
