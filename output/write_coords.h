#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/section_state.h"
#include "output/replace_file.h"

namespace sorvane {

inline constexpr const char* kCoordFileName = "airfoil.txt";

// The platform's text line end: the file is read by the tools of the system it is written on.
#ifdef _WIN32
inline constexpr const char* kLineEnd = "\r\n";
#else
inline constexpr const char* kLineEnd = "\n";
#endif

// A number as printed to the file: a blank in place of the sign when it is not
// negative, the plain decimal text, one blank after it.
[[nodiscard]] std::string PrintedNumber(const std::string& plainText);

// "NACA " and the digit groups actually used: 0412 gives "NACA 0412".
[[nodiscard]] std::string SectionName(const SectionState& state);

// The whole file: the name, the point count, then one line per point with the
// index, x and y rounded to 5 decimals. Lines end in kLineEnd.
[[nodiscard]] std::string CoordsText(const CoordArray& X, const CoordArray& Y, const SectionState& state);

// Replaces the coordinate file in one step (see ReplaceFileContents), so no
// half-written file is ever seen. On failure the earlier file stays as it was
// and the result is the message to show.
[[nodiscard]] std::optional<std::string> WriteCoords(const CoordArray& X, const CoordArray& Y,
                                                     const SectionState& state,
                                                     const std::filesystem::path& file = kCoordFileName,
                                                     SyncToDisk sync = SyncToDisk::Yes);

}  // namespace sorvane
