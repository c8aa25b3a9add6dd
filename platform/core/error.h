// The error the platform layer throws where the platform it stands in for throws: a domain, a code and a
// human-readable message.
#pragma once

#include <stdexcept>
#include <string>

namespace core {

class Error : public std::runtime_error {
public:
    Error(std::string domain, int code, const std::string& message)
        : std::runtime_error(message), domain_(std::move(domain)), code_(code)
    {
    }

    const std::string& domain() const { return domain_; }
    int code() const { return code_; }
    std::string message() const { return what(); }

private:
    std::string domain_;
    int code_;
};

}  // namespace core
