#include "app/document/write_failure.h"

#include <system_error>

namespace vistrel {

std::string writeFailureReason(int error)
{
    if (error == 0) return "the image could not be encoded";
    return std::system_category().message(error);
}

}  // namespace vistrel
