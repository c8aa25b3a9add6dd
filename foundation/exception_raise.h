// Raising a named platform exception whose reason describes an error.
#pragma once

#include <string>

#include "platform/core/error.h"

namespace kestrane::Exception {

// Throws core::Exception(name, "Reason: " + the error's description); never returns.
[[noreturn]] void raise(const std::string& name, const core::Error& error);

}  // namespace kestrane::Exception
