#include "foundation/exception_raise.h"

#include "platform/core/exception.h"
#include "platform/core/format.h"

namespace kestrane::Exception {

void raise(const std::string& name, const core::Error& error)
{
    const std::string description = core::format("Error Domain=%@ Code=%ld \"%@\"", error.domain(),
                                                 static_cast<long>(error.code()), error.message());
    throw core::Exception(name, core::format("Reason: %@", description));
}

}  // namespace kestrane::Exception
