#include "core/calculate_section.h"

#include <cmath>

#include "core/number_reader.h"
#include "core/plain_decimal.h"
#include "core/section_geometry.h"

namespace sorvane {

std::string RatioText(double ratio, std::string_view decimalSeparator)
{
    std::string text = RoundedPlainDecimal(ratio, 2);
    if (const std::size_t point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, decimalSeparator);
    return text;
}

CalculateOutcome CalculateSection(std::string_view codeText, std::string_view countText,
                                  std::string_view decimalSeparator, SectionState& state)
{
    CalculateOutcome outcome;

    const double pi = 4 * std::atan(1.0);
    state.Pi = pi;

    const double code = ReadLeadingNumber(codeText);
    state.Code = code;
    if (code <= 0 || code > 9999) {
        outcome.message = kCodeOutOfRange;
        return outcome;
    }

    const double camberDigit = std::floor(code / 1000);
    state.CamberDigit = camberDigit;
    const double m = camberDigit / 100;

    const double positionDigit = std::floor((code - camberDigit * 1000) / 100);
    state.PositionDigit = positionDigit;
    const double p = positionDigit / 10;

    if (m != 0 && p == 0) {
        outcome.message = kCamberWithoutPosition;
        return outcome;
    }

    const double thicknessDigits = std::floor((code - camberDigit * 1000) - positionDigit * 100);
    state.ThicknessDigits = thicknessDigits;
    const double t = thicknessDigits / 100;

    outcome.ratios = RatioTexts{RatioText(p, decimalSeparator), RatioText(m, decimalSeparator),
                                RatioText(t, decimalSeparator)};

    const double numPoints = ReadLeadingNumber(countText);
    state.NumPoints = numPoints;
    if (numPoints > 200) {
        outcome.message = kTooManyPoints;
        return outcome;
    }
    // A fractional count above 1 would leave holes among its indices, and the
    // file and the plot would show points of an earlier section in them.
    if (!std::isfinite(numPoints) || (numPoints > 1 && numPoints != std::floor(numPoints))) {
        outcome.message = kPointsNotWhole;
        return outcome;
    }

    FillSectionPoints(pi, m, p, t, numPoints, state.X, state.Y);
    outcome.sectionFilled = true;
    return outcome;
}

}  // namespace sorvane
