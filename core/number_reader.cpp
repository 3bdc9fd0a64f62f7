#include "core/number_reader.h"

#include <cstddef>
#include <limits>

#include "core/decimal_text.h"

namespace sorvane {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSign(char c) { return c == '+' || c == '-'; }

std::size_t CountDigits(std::string_view text, std::size_t from)
{
    std::size_t end = from;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end - from;
}

// Decimal exponent of the first significant digit of a mantissa such as
// "0012.5" (1) or ".0003" (-4); a mantissa of zeros only has none.
long long LeadingDigitExponent(std::string_view mantissa)
{
    const std::size_t point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const std::size_t firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string_view::npos)
        return static_cast<long long>(whole.size() - firstWhole) - 1;
    if (point == std::string_view::npos) return std::numeric_limits<int>::min();
    const std::string_view fraction = mantissa.substr(point + 1);
    const std::size_t firstFraction = fraction.find_first_not_of('0');
    if (firstFraction == std::string_view::npos) return std::numeric_limits<int>::min();
    return -static_cast<long long>(firstFraction) - 1;
}

// from_chars reports out of range without saying which way; the sign of the
// number's decimal exponent does.
bool IsTooLargeForDouble(std::string_view number)
{
    const std::size_t e = number.find_first_of("eE");
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::size_t pos = e + 1;
        const bool negative = number[pos] == '-';
        if (IsSign(number[pos])) ++pos;
        constexpr long long kCap = 1'000'000'000;  // far beyond any double, far from overflow
        for (; pos < number.size(); ++pos)
            if (exponent < kCap) exponent = exponent * 10 + (number[pos] - '0');
        if (negative) exponent = -exponent;
    }
    return LeadingDigitExponent(number.substr(0, e)) + exponent > 0;
}

}  // namespace

double ReadLeadingNumber(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;

    bool negative = false;
    if (pos < text.size() && IsSign(text[pos])) {
        negative = text[pos] == '-';
        ++pos;
    }

    const std::size_t start = pos;
    const std::size_t integerDigits = CountDigits(text, pos);
    pos += integerDigits;
    std::size_t fractionDigits = 0;
    if (pos < text.size() && text[pos] == '.') {
        fractionDigits = CountDigits(text, pos + 1);
        if (integerDigits + fractionDigits > 0) pos += 1 + fractionDigits;
    }
    if (integerDigits + fractionDigits == 0) return 0.0;

    // An exponent counts only with at least one digit: "12e" and "12e+" read as 12.
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t digitsAt = pos + 1;
        if (digitsAt < text.size() && IsSign(text[digitsAt])) ++digitsAt;
        const std::size_t exponentDigits = CountDigits(text, digitsAt);
        if (exponentDigits > 0) pos = digitsAt + exponentDigits;
    }

    const std::string_view number = text.substr(start, pos - start);
    const decimal_text::Parsed parsed = decimal_text::Parse(number);
    double value = parsed.value;
    if (parsed.outOfRange) {
        value = IsTooLargeForDouble(number) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (parsed.failed) {
        value = 0.0;
    }
    return negative ? -value : value;
}

}  // namespace sorvane
