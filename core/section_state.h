#pragma once

#include <array>
#include <optional>

namespace sorvane {

// A value that is empty until the command first writes it.
using Cell = std::optional<double>;

// Indices 0 to 200; index 0 is never written, so a count of up to 200 points fits.
inline constexpr int kArrayCells = 201;
using CoordArray = std::array<Cell, kArrayCells>;

// The one program-wide record of the last section: written by the Calculate
// command, read by the coordinate file and the plot. Nothing resets it.
struct SectionState {
    Cell NumPoints;
    Cell Pi;
    Cell Code;
    Cell CamberDigit;
    Cell PositionDigit;
    Cell ThicknessDigits;
    CoordArray X;
    CoordArray Y;
};

// The instance the windows share, created empty on first use and kept until exit.
SectionState& SharedSectionState();

// Reads a cell the way the output does: a cell never written counts as 0.
[[nodiscard]] inline double CellValue(const Cell& cell) { return cell.value_or(0.0); }

}  // namespace sorvane
