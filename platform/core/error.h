// The error the program's operations throw when they fail for a reason the caller has to explain: a domain, a
// code and a message written for the user (see "Errors" in platform/README.md for what throws and what
// returns empty instead).
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
