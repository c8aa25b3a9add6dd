// An exception raised by name with a reason, for conditions a caller is not expected to handle.
#pragma once

#include <stdexcept>
#include <string>

namespace core {

class Exception : public std::runtime_error {
public:
    Exception(std::string name, const std::string& reason) : std::runtime_error(reason), name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    std::string reason() const { return what(); }

private:
    std::string name_;
};

}  // namespace core
