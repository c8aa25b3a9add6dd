// Why a file could not be written, in words for the user: the system's reason for its error number
// ("Permission denied", "No space left on device"), or that the image gave no bytes to write. Any thread.
#pragma once

#include <string>

namespace vistrel {

// `error` as the writers give it: an error number, or 0 when the image could not be encoded.
std::string writeFailureReason(int error);

}  // namespace vistrel
