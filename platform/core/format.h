// printf-style formatting that never reads an argument as something it is not: each argument carries its kind,
// and a specifier that does not fit its argument formats the argument by its own kind. Conversions d i u x X o
// c f F e E g G s @ and %%, with flags (- + space 0 #), width, precision, length modifiers (accepted, unused)
// and positional arguments (%2$@). `format` uses no locale; `localizedFormat` groups digits and writes the
// decimal point as the user's locale does.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/value.h"

namespace core {

class FormatArgument {
public:
    enum class Kind { signedInteger, unsignedInteger, real, text };

    template <std::signed_integral T>
    FormatArgument(T value) : kind_(Kind::signedInteger), signed_(value)
    {
    }
    template <std::unsigned_integral T>
    requires(!std::same_as<T, bool>) FormatArgument(T value) : kind_(Kind::unsignedInteger), unsigned_(value) {}
    FormatArgument(bool value) : kind_(Kind::signedInteger), signed_(value ? 1 : 0) {}
    FormatArgument(double value) : kind_(Kind::real), real_(value) {}
    FormatArgument(float value) : kind_(Kind::real), real_(value) {}
    FormatArgument(const char* value) : kind_(Kind::text), text_(value ? value : "(null)") {}
    FormatArgument(std::string value) : kind_(Kind::text), text_(std::move(value)) {}
    FormatArgument(std::string_view value) : kind_(Kind::text), text_(value) {}
    FormatArgument(const Value& value);

    Kind kind() const { return kind_; }
    std::int64_t signedValue() const { return signed_; }
    std::uint64_t unsignedValue() const { return unsigned_; }
    double realValue() const { return real_; }
    const std::string& text() const { return text_; }

private:
    Kind kind_;
    std::int64_t signed_ = 0;
    std::uint64_t unsigned_ = 0;
    double real_ = 0;
    std::string text_;
};

std::string formatArguments(std::string_view format, const std::vector<FormatArgument>& arguments, bool localized);

template <class... Args>
std::string format(std::string_view fmt, const Args&... args)
{
    return formatArguments(fmt, {FormatArgument(args)...}, false);
}

template <class... Args>
std::string localizedFormat(std::string_view fmt, const Args&... args)
{
    return formatArguments(fmt, {FormatArgument(args)...}, true);
}

}  // namespace core
