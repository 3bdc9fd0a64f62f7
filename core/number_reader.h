#pragma once

#include <string_view>

namespace sorvane {

// Reads the leading number of a text: blanks and tabs, an optional sign, digits
// with an optional ".", an optional exponent. A text without one reads as 0.
// The decimal point is "." in every locale. Never NaN; a number too large for a
// double reads as plus or minus infinity.
[[nodiscard]] double ReadLeadingNumber(std::string_view text);

}  // namespace sorvane
