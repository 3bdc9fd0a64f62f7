#pragma once

#include <optional>
#include <string>
#include <string_view>

// Exact conversions between doubles and decimal text, "." as the point in
// every locale. decimal_text_charconv.cpp gives them from the standard
// library's <charconv>; decimal_text_libc.cpp from the C library, for a
// toolchain whose library lacks the floating-point ones (Emscripten's).
namespace sorvane::decimal_text {

// What a decimal number in plain or exponent form reads as; a number too
// large or too small for a double leaves value as it was and says so.
struct Parsed {
    double value = 0;
    bool outOfRange = false;
    bool failed = false;
};
[[nodiscard]] Parsed Parse(std::string_view number);

// Fixed notation with exactly this many decimals, correctly rounded; nothing where it fails.
[[nodiscard]] std::optional<std::string> Fixed(double value, int decimals);

// Fixed notation with the fewest digits that read back as the same double.
[[nodiscard]] std::optional<std::string> ShortestFixed(double value);

}  // namespace sorvane::decimal_text
