#pragma once

#include <optional>
#include <string>

#include "core/section_state.h"

namespace sorvane {

inline constexpr const char* kCoordFileName = "airfoil.txt";

// The file is read by the tools of the system it is written on, so its lines
// end as that system's text files do: the desktop's own, or, in the page,
// those of the system the browser runs on.
enum class LineEnd { Lf, CrLf };

#ifdef _WIN32
inline constexpr LineEnd kSystemLineEnd = LineEnd::CrLf;
#else
inline constexpr LineEnd kSystemLineEnd = LineEnd::Lf;
#endif

inline constexpr const char* LineEndText(LineEnd end) { return end == LineEnd::CrLf ? "\r\n" : "\n"; }

// Where the coordinate file goes: the desktop saves it into the working
// folder (SavedCoordFile), the page hands it to the browser.
class CoordFile {
public:
    virtual ~CoordFile() = default;
    virtual LineEnd LineEnds() const { return kSystemLineEnd; }
    // Takes the whole file's text; on failure, the message to show.
    [[nodiscard]] virtual std::optional<std::string> Save(const std::string& text) = 0;
};

// A number as printed to the file: a blank in place of the sign when it is not
// negative, the plain decimal text, one blank after it.
[[nodiscard]] std::string PrintedNumber(const std::string& plainText);

// "NACA " and the digit groups actually used: 0412 gives "NACA 0412".
[[nodiscard]] std::string SectionName(const SectionState& state);

// The whole file: the name, the point count, then one line per point with the
// index, x and y rounded to 5 decimals.
[[nodiscard]] std::string CoordsText(const CoordArray& X, const CoordArray& Y, const SectionState& state,
                                     LineEnd lineEnd = kSystemLineEnd);

// Writes the section's file, whole, where the file goes; on failure the
// earlier file stays as it was and the result is the message to show.
[[nodiscard]] std::optional<std::string> WriteCoords(const CoordArray& X, const CoordArray& Y,
                                                     const SectionState& state, CoordFile& file);

}  // namespace sorvane
