#pragma once

#include <string>

namespace sorvane {

// The value rounded to the given number of decimals (exact decimal rounding,
// ties to even) as the shortest plain text: no exponent, no trailing zeros, a
// leading "0" before the point, "." as the point, and never "-0".
[[nodiscard]] std::string RoundedPlainDecimal(double value, int decimals);

// The shortest plain text that reads back as the same double, in the same form.
[[nodiscard]] std::string ShortestPlainDecimal(double value);

}  // namespace sorvane
