#pragma once

#include <string>

// The main window as the page's HTML holds it before any script runs, written
// at build time from the window design: no JavaScript, no browser needed.
namespace sorvane::web {

// The ids of the window's own elements beside its controls, which carry their design names.
inline constexpr const char* kWindowId = "Form_Sorvane";
inline constexpr const char* kClientId = "Form_Sorvane_Client";
inline constexpr const char* kMenuItemId = "Mn_About";
inline constexpr const char* kTextSizeId = "Form_Sorvane_TextSize";
// The hidden text that describes the plot: the plot's name and "_Description".
inline constexpr const char* kDescriptionSuffix = "_Description";

// The window's elements: the title bar, the menu bar with its entry, and each
// control of the design, its design name as its id, in the order the focus
// walks them, each frame's controls inside it.
std::string MainWindowMarkup();

// Where each element lies, in twips times two custom properties, --twip-x
// across and --twip-y down (CSS lengths per twip), which the fit to the
// person's text sets; and, before it does, the larger targets under a finger
// and the column on a narrow screen, as the program will arrange them.
std::string MainWindowRules();

// The page's stylesheet with the window's rules after it, its comments and
// spare white space left out: they are for its readers here, not for every
// phone that fetches it.
std::string StylesheetWithWindow(const std::string& rules);

// The page's index.html with the window written in at its placeholder line,
// and the window's title as the page's; the template unchanged where it has
// no placeholder.
std::string WithWindow(const std::string& page);

}  // namespace sorvane::web
