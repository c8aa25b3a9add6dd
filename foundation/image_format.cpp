#include "foundation/image_format.h"

namespace kestrane {

std::string fileExtension(ImageFormat format)
{
    switch (format) {
    case ImageFormat::png:
        return "png";
    case ImageFormat::jpg:
        return "jpg";
    case ImageFormat::tiff:
        return "tiff";
    }
    return "";
}

}  // namespace kestrane
