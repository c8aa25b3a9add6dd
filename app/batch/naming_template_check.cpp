#include "app/batch/naming_template_check.h"

#include <algorithm>

#include "app/document/defaults_keys.h"
#include "foundation/bundle_info.h"
#include "foundation/shortcuts.h"
#include "moviekit/image_namer.h"
#include "platform/core/property_list.h"

namespace vistrel {

namespace {

using orvalis::ImageNamer;

std::string text(const char* key) { return kestrane::local(*kestrane::MB.get(), key); }

bool tellsFramesApart(const std::vector<std::string>& markups)
{
    const std::string distinct[] = {ImageNamer::HhmmssMarkup, ImageNamer::HhmmssmsMarkup, ImageNamer::SecondsMarkup,
                                    ImageNamer::FrameIndexMarkup};
    return std::any_of(markups.begin(), markups.end(), [&](const std::string& markup) {
        return std::find(std::begin(distinct), std::end(distinct), markup) != std::end(distinct);
    });
}

// The name of a late frame of a long movie, whose values are among the longest the template can take, written
// in `format` (the one of the longest extension unless told).
std::optional<std::string> sampleName(const std::vector<std::string>& markups, std::int64_t framesPerMovie,
                                      const std::optional<core::Url>& movie,
                                      kestrane::ImageFormat format = kestrane::ImageFormat::tiff)
{
    ImageNamer namer;
    namer.setMarkups(markups);
    namer.setMovieURL(movie ? *movie : core::Url::fileURL("/movie.mov"));
    namer.setFormat(format);
    namer.setTime(media::Time::make(35999999, 1000));  // 9:59:59.999
    const std::int64_t count = std::max<std::int64_t>(framesPerMovie, 100000);
    namer.setIndex(count - 1);
    namer.setCount(count);
    return namer.name();
}

// Whether the names end with the extension of the format the image is written in, whichever it is: viewers
// and file managers know pictures by it.
bool endsWithImageExtension(const std::vector<std::string>& markups, const std::optional<core::Url>& movie)
{
    for (const auto format : {kestrane::ImageFormat::png, kestrane::ImageFormat::jpg, kestrane::ImageFormat::tiff}) {
        const auto name = sampleName(markups, 1, movie, format);
        if (!name || !name->ends_with("." + kestrane::fileExtension(format))) return false;
    }
    return true;
}

}  // namespace

std::string namingTemplateProblem(const std::vector<std::string>& markups, std::int64_t framesPerMovie,
                                  const std::optional<core::Url>& movie)
{
    if (!std::all_of(markups.begin(), markups.end(),
                     [](const std::string& markup) { return core::PropertyList::canCarry(markup); }))
        return text("NamingTemplate.Unkeepable");
    const auto name = sampleName(markups, framesPerMovie, movie);
    if (!name) return text("NamingTemplate.Empty");
    if (name->starts_with('.')) return text("NamingTemplate.Hidden");
    if (name->size() > maxFileNameBytes) return text("NamingTemplate.TooLong");
    if (!endsWithImageExtension(markups, movie)) return text("NamingTemplate.NoExtension");
    if (framesPerMovie > 1 && !tellsFramesApart(markups)) return text("NamingTemplate.SameName");
    return {};
}

std::vector<std::string> batchNamingTemplate()
{
    return kestrane::Defaults[BatchOutputMarkupsKey].strings().value_or(ImageNamer::DefaultMarkups());
}

}  // namespace vistrel
