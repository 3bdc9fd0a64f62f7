#include "output/write_coords.h"

#include "core/plain_decimal.h"

namespace sorvane {
namespace {

std::string DigitGroup(const Cell& digits, std::size_t width)
{
    std::string text = RoundedPlainDecimal(CellValue(digits), 0);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

}  // namespace

std::string PrintedNumber(const std::string& plainText)
{
    if (!plainText.empty() && plainText.front() == '-') return plainText + " ";
    return " " + plainText + " ";
}

std::string SectionName(const SectionState& state)
{
    return "NACA " + DigitGroup(state.CamberDigit, 1) + DigitGroup(state.PositionDigit, 1)
           + DigitGroup(state.ThicknessDigits, 2);
}

std::string CoordsText(const CoordArray& X, const CoordArray& Y, const SectionState& state, LineEnd lineEnd)
{
    const char* const end = LineEndText(lineEnd);
    const double numPoints = CellValue(state.NumPoints);
    std::string text = SectionName(state) + end;
    text += PrintedNumber(ShortestPlainDecimal(numPoints)) + end;
    for (int i = 1; i <= numPoints && i < kArrayCells; ++i) {
        text += PrintedNumber(std::to_string(i));
        text += "   ";
        text += PrintedNumber(RoundedPlainDecimal(CellValue(X[i]), 5));
        text += "   ";
        text += PrintedNumber(RoundedPlainDecimal(CellValue(Y[i]), 5));
        text += end;
    }
    return text;
}

std::optional<std::string> WriteCoords(const CoordArray& X, const CoordArray& Y, const SectionState& state,
                                       CoordFile& file)
{
    return file.Save(CoordsText(X, Y, state, file.LineEnds()));
}

}  // namespace sorvane
