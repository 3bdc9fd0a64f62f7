#include "core/plain_decimal.h"

#include "core/decimal_text.h"

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

}  // namespace

std::string RoundedPlainDecimal(double value, int decimals)
{
    const std::optional<std::string> text = decimal_text::Fixed(value, decimals);
    return text ? Tidy(*text) : "0";
}

std::string ShortestPlainDecimal(double value)
{
    const std::optional<std::string> text = decimal_text::ShortestFixed(value);
    return text ? Tidy(*text) : "0";
}

}  // namespace sorvane
