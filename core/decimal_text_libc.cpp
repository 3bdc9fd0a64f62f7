#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/decimal_text.h"

// The C library's conversions are exact here and know only the "C" locale,
// so "." is the point whatever the person's language.
namespace sorvane::decimal_text {
namespace {

// Room for the 309 digits of the largest double, a sign, a point and the decimals.
constexpr std::size_t kBufferSize = 512;

std::optional<std::string> Printed(const char* format, int precision, double value)
{
    char buffer[kBufferSize];
    const int length = std::snprintf(buffer, kBufferSize, format, precision, value);
    if (length < 0 || std::size_t(length) >= kBufferSize) return std::nullopt;
    return std::string(buffer, std::size_t(length));
}

// The digits and exponent of "-d.ddde+XX" written out without the exponent.
std::string WithoutExponent(const std::string& scientific)
{
    const std::size_t e = scientific.find('e');
    const bool negative = scientific.front() == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (scientific[i] != '.') digits += scientific[i];
    // The point stands after the first digit, moved by the exponent.
    const int point = 1 + std::atoi(scientific.c_str() + e + 1);
    std::string fixed;
    if (point <= 0) fixed = "0." + std::string(std::size_t(-point), '0') + digits;
    else if (std::size_t(point) >= digits.size()) fixed = digits + std::string(point - digits.size(), '0');
    else fixed = digits.substr(0, std::size_t(point)) + "." + digits.substr(std::size_t(point));
    return negative ? "-" + fixed : fixed;
}

}  // namespace

Parsed Parse(std::string_view number)
{
    Parsed parsed;
    const std::string text(number);
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) parsed.failed = true;
    // As <charconv> has it: out of range only where the value is lost, not for a subnormal.
    else if (errno == ERANGE && (std::isinf(value) || value == 0)) parsed.outOfRange = true;
    else parsed.value = value;
    return parsed;
}

std::optional<std::string> Fixed(double value, int decimals) { return Printed("%.*f", decimals, value); }

std::optional<std::string> ShortestFixed(double value)
{
    if (!std::isfinite(value)) return Printed("%.*f", 0, value);
    // The fewest significant digits that read back as the same double: 17 always do.
    for (int digits = 1; digits <= 17; ++digits) {
        const std::optional<std::string> scientific = Printed("%.*e", digits - 1, value);
        if (!scientific) return std::nullopt;
        if (std::strtod(scientific->c_str(), nullptr) == value) return WithoutExponent(*scientific);
    }
    return std::nullopt;
}

}  // namespace sorvane::decimal_text
