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

// The page's own lengths, held once: the build writes them into the stylesheet as custom properties, and the
// program reads them from here. The controls' text under a mouse (rem): the browser's own controls' size;
// under a finger, the person's size or a phone's own (px), whichever is larger.
inline constexpr double kMouseTextRem = 0.8125;
inline constexpr double kFingerTextRem = 1;
inline constexpr double kPhoneTextPixels = 16;
// Before the program measures it, a twip is this share of the controls' text
// size: about what the fit gives the browser's default text.
inline constexpr double kTextPerTwip = 154.375;
// In CSS pixels: round the page, the window's border, a frame's border.
inline constexpr double kPageMargin = 8;
inline constexpr double kWindowBorder = 1;
inline constexpr double kFrameBorder = 2;
// Every control a person clicks is at least 24 CSS pixels across and down, as
// WCAG 2.2 asks of targets; one a finger taps, 44 (Apple's 44 points, WCAG's
// 2.5.5). The design grows to that where the text alone would leave it smaller.
inline constexpr double kSmallestTarget = 24;
inline constexpr double kFingerTarget = 44;
// On a phone the window's parts, one under another, keep 16 px from the screen's edges, as phones' own apps do:
// the page's margin and the window's border, then this inside the window.
inline constexpr double kPhoneEdge = 16;
inline constexpr double kColumnMargin = kPhoneEdge - kPageMargin - kWindowBorder;

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
