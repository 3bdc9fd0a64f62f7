#include "core/plain_decimal.h"

#include <charconv>
#include <system_error>

namespace sorvane {

namespace {

std::string Tidy(std::string text)
{
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

// Room for the 309 digits of the largest double, a sign, a point and the decimals.
constexpr std::size_t kBufferSize = 512;

}  // namespace

std::string RoundedPlainDecimal(double value, int decimals)
{
    char buffer[kBufferSize];
    const auto [end, error] =
        std::to_chars(buffer, buffer + kBufferSize, value, std::chars_format::fixed, decimals);
    if (error != std::errc{}) return "0";
    return Tidy(std::string(buffer, end));
}

std::string ShortestPlainDecimal(double value)
{
    char buffer[kBufferSize];
    const auto [end, error] =
        std::to_chars(buffer, buffer + kBufferSize, value, std::chars_format::fixed);
    if (error != std::errc{}) return "0";
    return Tidy(std::string(buffer, end));
}

}  // namespace sorvane
