#pragma once

#include <string_view>
#include <vector>

#include "design/window_design.h"

namespace sorvane {

// How the main window lies in the room a screen gives it, in pixels.
//   Designed: every control where the design has it, grown by one factor.
//   TallerRows: the design's places, its rows grown more than its widths, so
//     that every control is a target a finger can hit.
//   Column: the window's parts one under another in the order a person uses
//     them, the plot across the whole width.
enum class Arrangement { Designed, TallerRows, Column };

struct PlacedControl {
    std::string_view name;
    PixelRect rect;  // from the client area's corner
};

struct WindowLayout {
    Arrangement arrangement = Arrangement::Designed;
    double across = 0;  // pixels per twip across
    double down = 0;    // pixels per twip down
    PixelSize client;
    // The window's own parts (not the controls inside frames, which keep
    // their design places at across and down).
    std::vector<PlacedControl> parts;
};

// The pixels per twip that make the smallest control that takes the focus as
// tall (down) and as wide (across) as target pixels.
double TargetAcross(const WindowDesign& design, double target);
double TargetDown(const WindowDesign& design, double target);

// textFactor: the pixels per twip that the fit to the person's text gives.
// target: the least width and height, in pixels, of a control that takes the
// focus. room: the width the screen gives the client area; infinity where
// there is no limit. The text never shrinks: where even the column is wider
// than the room, it is as wide as it needs to be.
WindowLayout ArrangeWindow(const WindowDesign& design, double textFactor, double target, double room);

// The column alone, at these pixels per twip; the page's stylesheet takes its
// places at one pixel a twip, to show it before the program runs.
WindowLayout ColumnLayout(const WindowDesign& design, double across, double down, double room);

}  // namespace sorvane
