#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// What a save that failed left where the file was to go, as its message says.
enum class LeftBehind { Unsaid, PreviousFile, AsItWas, NoFile, EmptyFile };

// The one wording of a save that failed, on the desktop and in the page:
// "Could not write WHAT: REASON." and what is left there.
[[nodiscard]] std::string SaveFailure(std::string_view what, std::string_view reason, LeftBehind left);

// The one wording of a window's step that failed for a reason no code of the
// calculation reports (memory running out, the system refusing a font, the
// browser's own failure), on every front end; the reason may be unknown (empty).
[[nodiscard]] std::string StepFailure(std::string_view reason);

// Where the main window could not be made at all.
inline constexpr std::string_view kStartFailure = "Sorvane could not open its window.";

}  // namespace sorvane
