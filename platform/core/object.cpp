#include "platform/core/object.h"

#include <cstdio>
#include <typeinfo>

namespace core {

std::string Object::description() const
{
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
    return std::string("<") + typeid(*this).name() + ": " + address + ">";
}

}  // namespace core
