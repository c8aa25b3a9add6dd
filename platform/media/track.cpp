#include "platform/media/track.h"

#include <sstream>

namespace media {

std::string Track::description() const
{
    std::ostringstream text;
    text << "Track(" << info_.trackID << ", " << info_.formatDescription.codecName << ")";
    return text.str();
}

gfx::Rect FormatDescription::cleanAperture(bool) const { return gfx::Rect(0, 0, width, height); }

}  // namespace media
