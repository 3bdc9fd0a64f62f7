#include <charconv>
#include <system_error>

#include "core/decimal_text.h"

namespace sorvane::decimal_text {
namespace {

// Room for the 309 digits of the largest double, a sign, a point and the decimals.
constexpr std::size_t kBufferSize = 512;

}  // namespace

Parsed Parse(std::string_view number)
{
    Parsed parsed;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed.value);
    parsed.outOfRange = error == std::errc::result_out_of_range;
    parsed.failed = error != std::errc{} && !parsed.outOfRange;
    return parsed;
}

std::optional<std::string> Fixed(double value, int decimals)
{
    char buffer[kBufferSize];
    const auto [end, error] = std::to_chars(buffer, buffer + kBufferSize, value, std::chars_format::fixed, decimals);
    if (error != std::errc{}) return std::nullopt;
    return std::string(buffer, end);
}

std::optional<std::string> ShortestFixed(double value)
{
    char buffer[kBufferSize];
    const auto [end, error] = std::to_chars(buffer, buffer + kBufferSize, value, std::chars_format::fixed);
    if (error != std::errc{}) return std::nullopt;
    return std::string(buffer, end);
}

}  // namespace sorvane::decimal_text
