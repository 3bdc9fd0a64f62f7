#pragma once

#include <limits>
#include <string_view>
#include <vector>

#include "design/layout_fit.h"
#include "design/window_design.h"

namespace sorvane {

// How the main window lies in the room a screen gives it, in pixels.
//   Designed: every control where the design has it, grown by one factor.
//   TallerRows: the design's places, its rows grown more than its widths, so that a finger can hit every control.
//   Column: the window's parts one under another in the order a person uses them, the plot across the whole width.
enum class Arrangement { Designed, TallerRows, Column };

// What a toolkit draws round the text of a button and of a field, in pixels
// at the density the window is laid out at: the frame and margins that keep
// their size when the layout grows.
struct TextInsets {
    double buttonAcross = 0;
    double buttonDown = 0;
    double fieldDown = 0;
};

// What a toolkit knows of the room its window has, in its own pixels.
struct WindowRoom {
    // The screen's density: pixels per twip before the design grows.
    double pixelsPerTwip = PixelsPerTwip(kDesignDpi);
    TextInsets insets;
    // What the screen gives the whole window, and what the toolkit draws round
    // its client area (title bar, borders, menu bar); an empty screen sets no limit.
    PixelSize screen;
    PixelSize frame;
    // The least width and height of a control that takes the focus; 0: any.
    double target = 0;
    // How wide the client area may be before its parts go one under another.
    double width = std::numeric_limits<double>::infinity();
    // The page keeps the plot's box in the design's proportion at every size, as
    // its stylesheet does; the desktop windows round its edges as every other box's.
    bool plotInProportion = false;
    // Left and right of the window's parts, one under another, in pixels: the screen's, not the design's (0: the
    // narrowest there is).
    double columnMargin = 0;
};

struct PlacedControl {
    const ControlSpec* control;
    PixelRect rect;  // from the client area's corner
};

// The window as a toolkit shows it.
struct PlacedWindow {
    LayoutFit fit;
    Arrangement arrangement = Arrangement::Designed;
    double across = 0;  // pixels per twip across
    double down = 0;    // pixels per twip down
    PixelSize client;
    // Every control of the design, each frame's controls after it.
    std::vector<PlacedControl> controls;

    // A control by its name; std::logic_error where there is none.
    const PlacedControl& At(std::string_view name) const;
    // A control's place from its parent's corner, each edge rounded there, for
    // toolkits whose frames hold their controls and draw them from their corner.
    PixelRect InParent(const PlacedControl& placed) const;
};

// The one layout of the main window: the font its controls take, the factor
// the design grows by to hold the person's text (but no further than the
// screen allows), and the arrangement that room and target call for.
PlacedWindow LayOutWindow(const WindowDesign& design, TextMeasurer& measurer, const WindowRoom& room);

// The controls in one arrangement at these pixels per twip, in the room given; the page's stylesheet takes its
// places from here, at a pixel a twip.
PlacedWindow PlaceControls(const WindowDesign& design, Arrangement arrangement, double across, double down,
                           const WindowRoom& room = {});

// The pixels per twip across and down that make the smallest focusable control target pixels wide and tall.
struct TwipLengths {
    double across = 0, down = 0;
};
TwipLengths TargetLengths(const WindowDesign& design, double target);

// Where a column is narrower than the design's margins allow, they shrink to this, in pixels.
inline constexpr int kNarrowestColumnMargin = 4;

}  // namespace sorvane
