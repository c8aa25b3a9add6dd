#include "foundation/time_lapse_format.h"

namespace kestrane {

std::string fileExtension(TimeLapseFormat format) { return format == TimeLapseFormat::gif ? "gif" : "m4v"; }

}  // namespace kestrane
