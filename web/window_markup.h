#pragma once

#include <string>

// The main window as the page's HTML holds it before any script runs, written
// at build time from the window design: no JavaScript, no browser needed.
namespace sorvane::web {

// The window's elements: the title bar, the menu bar with its entry, and each
// control of the design, its design name as its id, in the order the focus
// walks them, each frame's controls inside it.
std::string MainWindowMarkup();

// Where each element lies, in twips times the one custom property --twip (a
// CSS length per twip) that the fit to the person's text sets.
std::string MainWindowRules();

// The page's index.html with the window written in at its placeholder line;
// the template unchanged where it has none.
std::string WithWindow(const std::string& page);

}  // namespace sorvane::web
