#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// What a save that failed left where the file was to go, as its message says.
enum class LeftBehind { Unsaid, PreviousFile, AsItWas, NoFile, EmptyFile };

// The one wording of a save that failed, on the desktop and in the page:
// "Could not write WHAT: REASON." and what is left there.
[[nodiscard]] std::string SaveFailure(std::string_view what, std::string_view reason, LeftBehind left);

}  // namespace sorvane
