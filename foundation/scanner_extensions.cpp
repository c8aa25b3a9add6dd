#include "foundation/scanner_extensions.h"

#include "foundation/composite_scan.h"

namespace kestrane {

namespace {

// Calls the scanner's member with an out-parameter; the value read, or nullopt when it fails.
template <class Value, class Member, class... Arguments>
std::optional<Value> scanned(core::Scanner& scanner, Member member, const Arguments&... arguments)
{
    Value value{};
    if (!(scanner.*member)(arguments..., &value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::string> scanCharactersFromSet(core::Scanner& scanner, const core::CharacterSet& set)
{
    return scanned<std::string>(scanner, &core::Scanner::scanCharactersFromSet, set);
}

std::optional<std::string> scanUpToCharactersFromSet(core::Scanner& scanner, const core::CharacterSet& set)
{
    return scanned<std::string>(scanner, &core::Scanner::scanUpToCharactersFromSet, set);
}

std::optional<std::string> scanString(core::Scanner& scanner, const std::string& text)
{
    return scanned<std::string>(scanner, &core::Scanner::scanString, std::string_view(text));
}

std::optional<std::string> scanUpToString(core::Scanner& scanner, const std::string& text)
{
    return scanned<std::string>(scanner, &core::Scanner::scanUpToString, std::string_view(text));
}

std::optional<double> scanDouble(core::Scanner& scanner)
{
    return scanned<double>(scanner, &core::Scanner::scanDouble);
}

std::optional<double> scanCGFloat(core::Scanner& scanner) { return scanDouble(scanner); }

std::optional<float> scanFloat(core::Scanner& scanner) { return scanned<float>(scanner, &core::Scanner::scanFloat); }

std::optional<std::int64_t> scanInteger(core::Scanner& scanner)
{
    return scanned<std::int64_t>(scanner, &core::Scanner::scanInteger);
}

std::optional<std::int32_t> scanInt(core::Scanner& scanner)
{
    return scanned<std::int32_t>(scanner, &core::Scanner::scanInt);
}

std::optional<std::int64_t> scanLongLong(core::Scanner& scanner)
{
    return scanned<std::int64_t>(scanner, &core::Scanner::scanLongLong);
}

std::optional<std::uint64_t> scanUnsignedLongLong(core::Scanner& scanner)
{
    return scanned<std::uint64_t>(scanner, &core::Scanner::scanUnsignedLongLong);
}

std::optional<double> scanHexDouble(core::Scanner& scanner)
{
    return scanned<double>(scanner, &core::Scanner::scanHexDouble);
}

std::optional<float> scanHexFloat(core::Scanner& scanner)
{
    return scanned<float>(scanner, &core::Scanner::scanHexFloat);
}

std::optional<std::uint32_t> scanHexInt(core::Scanner& scanner)
{
    return scanned<std::uint32_t>(scanner, &core::Scanner::scanHexInt);
}

std::optional<std::uint64_t> scanHexLongLong(core::Scanner& scanner)
{
    return scanned<std::uint64_t>(scanner, &core::Scanner::scanHexLongLong);
}

bool scanCGFloat(core::Scanner& scanner, double& value)
{
    const auto scannedValue = scanDouble(scanner);
    if (!scannedValue) return false;
    value = *scannedValue;
    return true;
}

std::optional<Angle> scanAngleInRad(core::Scanner& scanner)
{
    return compositeScan<Angle>(scanner, [](core::Scanner& s) -> std::optional<Angle> {
        const auto value = scanDouble(s);
        if (!value || !scanString(s, "rad")) return std::nullopt;
        return Angle::fromRadians(*value);
    });
}

std::optional<Angle> scanAngleInDeg(core::Scanner& scanner)
{
    return compositeScan<Angle>(scanner, [](core::Scanner& s) -> std::optional<Angle> {
        const auto value = scanInteger(s);
        if (!value || !scanString(s, "deg")) return std::nullopt;
        return Angle::fromDegrees(static_cast<double>(*value));
    });
}

std::optional<double> scanPercentage(core::Scanner& scanner)
{
    return compositeScan<double>(scanner, [](core::Scanner& s) -> std::optional<double> {
        const auto value = scanInteger(s);
        if (!value || !scanString(s, "%")) return std::nullopt;
        return static_cast<double>(*value);
    });
}

std::optional<Interval> scanInterval(core::Scanner& scanner)
{
    return compositeScan<Interval>(scanner, [](core::Scanner& s) -> std::optional<Interval> {
        if (!scanString(s, "[")) return std::nullopt;
        const auto min = scanDouble(s);
        if (!min || !scanString(s, ",")) return std::nullopt;
        const auto max = scanDouble(s);
        if (!max || !scanString(s, "]")) return std::nullopt;
        return Interval(*min, *max);
    });
}

}  // namespace kestrane
