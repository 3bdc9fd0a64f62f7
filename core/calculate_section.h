#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/section_state.h"

namespace sorvane {

inline constexpr const char* kCodeOutOfRange = "Airfoil Code must be between 0001 and 9999 !";
inline constexpr const char* kCamberWithoutPosition =
    "Max Camber point must be between the leading and trailing edges ( 0 <xF< 1 ) !";
inline constexpr const char* kTooManyPoints = "Number of points must be less then 201 !";
inline constexpr const char* kPointsNotWhole = "Number of points must be a whole number !";

// The three ratio texts, under the names of the fields they go to.
struct RatioTexts {
    std::string Text_FCR;  // position of maximum camber p
    std::string Text_CCR;  // camber ratio m
    std::string Text_TCR;  // thickness ratio t
};

struct CalculateOutcome {
    std::optional<RatioTexts> ratios;    // present once the code has been accepted
    std::optional<std::string> message;  // the reason the command stopped, if it did
    bool sectionFilled = false;          // the arrays hold the new section
};

// A ratio rounded to 2 decimals as its shortest plain text, with the given
// decimal separator in place of ".".
[[nodiscard]] std::string RatioText(double ratio, std::string_view decimalSeparator);

// The Calculate command without its window: reads the code and the point
// count, checks them, splits the code into its digit groups and fills the
// section. It writes the state step by step, so a stop leaves the fields
// written up to that point; the outcome carries the message to show.
[[nodiscard]] CalculateOutcome CalculateSection(std::string_view codeText, std::string_view countText,
                                  std::string_view decimalSeparator, SectionState& state);

}  // namespace sorvane
